#include "Shrink/RecentPanel.h"

#include "Code/Code.h"

namespace velmora {

const TCodeRec* RecentRowDraw(const TCodeRecArr& history, int row)
{
    if (row < 1 || row > kRecentRows)
        return nullptr;
    const long long index = static_cast<long long>(history.size()) - kRecentRows - 1 + row;
    return index >= 0 ? &history[static_cast<std::size_t>(index)] : nullptr;
}

std::string PairsOfCode(int code, std::string_view separator)
{
    static constexpr int kPositions[3][2] = {{1, 2}, {1, 3}, {2, 3}};
    std::string text;
    for (const auto& p : kPositions) {
        if (!text.empty())
            text += separator;
        text += std::to_string(NumOfCode(code, p[0]));
        text += std::to_string(NumOfCode(code, p[1]));
    }
    return text;
}

std::string RecentPanelRowText(const TCodeRec& draw)
{
    const std::string issue = IntToPadStr(draw.Issue, 3, true) + "期";
    std::string text;
    text += issue + IntToPadStr(draw.DrawCode, 3, true);
    text += "中出" + std::string(17, ' ') + "个号" + std::string(2, ' ');
    text += issue + IntToPadStr(draw.TestCode, 3, true);
    text += "中出" + std::string(15, ' ') + "个号";
    text += std::string(3, ' ');
    text += issue + PairsOfCode(draw.DrawCode, ",");
    text += std::string(5, ' ');
    text += issue + PairsOfCode(draw.TestCode, ",");
    return text;
}

std::string RecentPanelHeaderText()
{
    return "最近开奖号码" + std::string(23, ' ') + "最近试机号码" + std::string(22, ' ') +
           "最近开奖二码" + std::string(6, ' ') + "最近试机二码";
}

RecentPanelTexts BuildRecentPanelTexts(const TCodeRecArr& history)
{
    RecentPanelTexts texts;
    texts.Header = RecentPanelHeaderText();
    for (int row = 1; row <= kRecentRows; ++row)
        if (const TCodeRec* draw = RecentRowDraw(history, row))
            texts.Rows[row - 1] = RecentPanelRowText(*draw);
    return texts;
}

} // namespace velmora
