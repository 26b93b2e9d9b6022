#include "core/filter/RecentPanel.h"

#include "core/code/Code.h"

namespace velmora {

const DrawRecord* recentRowDraw(const DrawHistory& history, int row)
{
    if (row < 1 || row > kRecentRows)
        return nullptr;
    const long long index = static_cast<long long>(history.size()) - kRecentRows - 1 + row;
    return index >= 0 ? &history[static_cast<std::size_t>(index)] : nullptr;
}

std::string pairsOfCode(int code, std::string_view separator)
{
    static constexpr int kPositions[3][2] = { { 1, 2 }, { 1, 3 }, { 2, 3 } };
    std::string text;
    for (const auto& p : kPositions) {
        if (!text.empty())
            text += separator;
        text += std::to_string(digitAt(code, p[0]));
        text += std::to_string(digitAt(code, p[1]));
    }
    return text;
}

std::string recentPanelRowText(const Game& game, const DrawRecord& draw)
{
    const std::string issue = zeroPadded(draw.issue, 3) + "期";
    std::string text;
    text += issue + zeroPadded(draw.drawCode, 3);
    text += "中出" + std::string(17, ' ') + "个号" + std::string(2, ' ');
    if (!game.hasTestCodes)
        return text + issue + pairsOfCode(draw.drawCode, ",");
    text += issue + zeroPadded(draw.testCode, 3);
    text += "中出" + std::string(15, ' ') + "个号";
    text += std::string(3, ' ');
    text += issue + pairsOfCode(draw.drawCode, ",");
    text += std::string(5, ' ');
    text += issue + pairsOfCode(draw.testCode, ",");
    return text;
}

std::string recentPanelHeaderText(const Game& game)
{
    if (!game.hasTestCodes)
        return "最近开奖号码" + std::string(23, ' ') + "最近开奖二码";
    return "最近开奖号码" + std::string(23, ' ') + "最近试机号码" + std::string(22, ' ') + "最近开奖二码"
        + std::string(6, ' ') + "最近试机二码";
}

RecentPanelTexts buildRecentPanelTexts(const Game& game, const DrawHistory& history)
{
    RecentPanelTexts texts;
    texts.header = recentPanelHeaderText(game);
    for (int row = 1; row <= kRecentRows; ++row)
        if (const DrawRecord* draw = recentRowDraw(history, row))
            texts.rows[row - 1] = recentPanelRowText(game, *draw);
    return texts;
}

} // namespace velmora
