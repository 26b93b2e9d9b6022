// The grid model and the view's geometry under any sequence of operations: every
// byte pair is one operation and its argument. Index errors never touch memory outside
// the arrays (AddressSanitizer watches), and after every layout pass the scroll
// position is in range and the painted rows lie inside the grid.
#include "core/grid/GridModel.h"
#include "widgets/GridGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// `rows` is the model's row count at the geometry's last layOut.
void checkLayout(const velmora::GridGeometry& geometry, int rows)
{
    if (geometry.topRow() < 0 || geometry.topRow() > geometry.scrollMax() || geometry.scrollMax() < 0)
        std::abort();
    const int first = geometry.firstPaintRow();
    const int end = geometry.endPaintRow();
    if (first < 0 || end < first || end > rows || end - first > std::max(geometry.visRows(), 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::GridModel grid;
    velmora::GridGeometry geometry;
    int messages = 0;
    grid.setMessageFn([&messages](const std::string&) { ++messages; });
    geometry.setMessageFn([&messages](const std::string&) { ++messages; });
    geometry.setCharWidthFn([](char32_t c) { return static_cast<int>(c % 17); }, 2);
    int laidOutRows = 0;
    const auto layOut = [&] {
        geometry.layOut(grid);
        laidOutRows = grid.rowCount();
        checkLayout(geometry, laidOutRows);
    };
    // Signed small numbers from bytes, so negative and out-of-range indexes come up.
    const auto arg = [](std::uint8_t b) { return static_cast<int>(static_cast<std::int8_t>(b)); };
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int a = arg(data[i + 1]);
        const int row = a / 8;
        const int col = a % 8;
        switch (data[i] % 12) {
        case 0:
            grid.setGridSize(
                a % 40, a, a % 5, std::vector<int>(static_cast<std::size_t>(std::abs(a) % 9), a));
            break;
        case 1:
            // Bytes of the input as a cell text: the width measure meets malformed UTF-8.
            grid.setValue(row, col,
                std::string(reinterpret_cast<const char*>(data + i),
                    std::min(size - i, static_cast<std::size_t>(std::abs(a) % 8))));
            break;
        case 2:
            if (!grid.getValue(row, col).empty()
                && (row < 0 || col < 0 || row >= grid.rowCount() || col >= grid.colsCount()))
                std::abort();
            break;
        case 3:
            grid.setCellColor(row, col, velmora::CellColor::rgb(a, a, a));
            (void)grid.getCellColor(col, row);
            break;
        case 4:
            grid.setMergeCount(a % 16);
            break;
        case 5:
            grid.setMerge(
                a % 16, a % 2 == 0, col, row, col + a % 3, row + 1, "m", velmora::CellColor::window());
            break;
        case 6:
            try {
                (void)grid.mergeAt(a % 16).covers(row, col);
            } catch (const std::out_of_range&) {
                if (a % 16 >= 0 && a % 16 < grid.mergeCount())
                    std::abort();
            }
            break;
        case 7:
            geometry.setClientHeight(a * 16);
            checkLayout(geometry, laidOutRows);
            break;
        case 8: {
            const int top = geometry.scroll(static_cast<velmora::ScrollCommand>(std::abs(a) % 8), a);
            if (top != geometry.topRow() || top < 0 || top > geometry.scrollMax())
                std::abort();
            break;
        }
        case 9:
            (void)geometry.rectOfCell(row, col, a % 2 == 0);
            (void)geometry.colLeft(col);
            (void)geometry.rowTop(row, true);
            break;
        case 10:
            grid.clear();
            layOut();
            break;
        default:
            layOut();
            break;
        }
    }
    return 0;
}
