// A local wall-clock time, to the second: what a printout is stamped with and what
// names a backup. Callers pass it in (the programs their clock, tests a fixed time).
#pragma once

namespace velmora {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

} // namespace velmora
