// A set of codes: exactly 1000 flags, one per code 0..999.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

namespace velmora {

class TCodeArr {
public:
    static constexpr int kSize = 1000;

    // Indexing outside 0..999 throws std::out_of_range instead of touching memory.
    std::uint8_t& operator[](int code) { return flags_.at(Checked(code)); }
    std::uint8_t operator[](int code) const { return flags_.at(Checked(code)); }

    bool Has(int code) const { return (*this)[code] != 0; }
    void Fill(bool value) { flags_.fill(value ? 1 : 0); }
    void Clear() { Fill(false); }
    int size() const { return kSize; }
    // Raw view for engines that write all 1000 flags in one pass.
    std::uint8_t* data() { return flags_.data(); }
    const std::uint8_t* data() const { return flags_.data(); }

    friend bool operator==(const TCodeArr&, const TCodeArr&) = default;

private:
    static std::size_t Checked(int code)
    {
        if (code < 0 || code >= kSize)
            throw std::out_of_range("code index out of range");
        return static_cast<std::size_t>(code);
    }
    std::array<std::uint8_t, kSize> flags_{};
};

// Number of codes in the set (0..1000).
int CodeSetCount(const TCodeArr& codes);

} // namespace velmora
