// The grid model under any sequence of operations: every byte pair is one
// operation and its argument. Index errors never touch memory outside the arrays
// (AddressSanitizer watches), and after every layout pass the scroll position is
// in range and the painted rows lie inside the grid.
#include "core/grid/GridModel.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

void checkLayout(const velmora::GridModel& grid)
{
    if (grid.topRow() < 0 || grid.topRow() > grid.scrollMax() || grid.scrollMax() < 0)
        std::abort();
    const int first = grid.firstPaintRow();
    const int end = grid.endPaintRow();
    if (first < 0 || end < first || end > grid.rowCount() || end - first > std::max(grid.visRows(), 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::GridModel grid;
    int messages = 0;
    grid.setMessageFn([&messages](const std::string&) { ++messages; });
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
            grid.setValue(row, col, std::string(static_cast<std::size_t>(std::abs(a) % 4), 'x'));
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
                a % 16, a % 2 == 0, col, row, col + a % 3, row + 1, "m", velmora::CellColor::Window());
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
            grid.setClientHeight(a * 16);
            grid.resize();
            checkLayout(grid);
            break;
        case 8: {
            const int top = grid.scroll(static_cast<velmora::ScrollCommand>(std::abs(a) % 8), a);
            if (top != grid.topRow() || top < 0 || top > grid.scrollMax())
                std::abort();
            break;
        }
        case 9:
            (void)grid.rectOfCell(row, col, a % 2 == 0);
            (void)grid.colLeft(col);
            (void)grid.rowTop(row, true);
            break;
        case 10:
            grid.clear();
            checkLayout(grid);
            break;
        default:
            grid.resize();
            checkLayout(grid);
            break;
        }
    }
    return 0;
}
