// The grid's index errors, in one table: each text is shown to the user word for word
// as the program has always shown it, so the texts keep the names of an older grid's
// fields. In this code:
//   x, ACol                the column argument of the call
//   y                      the row argument
//   FColsCount             GridModel::colsCount()
//   FDynRows+FFixRowCount  GridModel::rowCount(), the data rows below the fixed rows
//   FColWidthArr           GridGeometry::colWidths(), one width per column
// A call with both indexes out of range reports the column first.
#pragma once

namespace velmora {

// GridModel::getValue, column >= colsCount().
inline constexpr const char* kGetValueColumnError = "GetValue x>=FColsCount ";
// GridModel::getValue, row >= rowCount().
inline constexpr const char* kGetValueRowError = "GetValue y>=FDynRows+FFixRowCount ";
// GridModel::setValue, column >= colsCount().
inline constexpr const char* kSetValueColumnError = "SetValue x>=FColsCount ";
// GridModel::setValue, row >= rowCount().
inline constexpr const char* kSetValueRowError = "SetValue y>=FDynRows+FFixRowCount ";
// GridGeometry::rectOfCell, column >= colCount().
inline constexpr const char* kRectOfCellColumnError = "RectOfCell ACol>Length(FColWidthArr)";
// GridGeometry::colLeft, column > colCount() (colCount() itself is the right edge).
inline constexpr const char* kColLeftColumnError = "ACol>Length(FColWidthArr)";

} // namespace velmora
