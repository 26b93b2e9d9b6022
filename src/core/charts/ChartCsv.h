// A grid model as CSV (RFC 4180), the form velmora-cli prints a chart in.
#pragma once

#include "core/grid/GridModel.h"

#include <string>

namespace velmora {

// One LF-ended line per grid row, every column; a field is quoted only when it holds a
// comma, a quote or a line break. Texts: a fixed-row cell covered by an active merged area
// shows that area's caption (the last such area in index order). Colours: "#rrggbb", or
// an empty field for the window colour.
std::string gridToCsv(const GridModel& grid, bool colors);

} // namespace velmora
