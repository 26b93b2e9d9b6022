#include "core/play/PrizeCheckReport.h"

#include "core/code/Code.h"
#include "core/code/PrizeCheck.h"
#include "core/play/Play.h"

#include <algorithm>

namespace velmora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string directText(int code)
{
    return "直选命中：" + codeText(code) + "（直选" + std::to_string(kDirectPrize) + "元）";
}

// The group's other codes, ascending and each once, and what a 组选 bet wins on them.
std::string groupText(int code, std::vector<int> others)
{
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    std::string text = "同组号码：";
    for (std::size_t i = 0; i < others.size(); ++i)
        text += (i == 0 ? "" : "、") + codeText(others[i]);
    const bool pair = groupKindOf(code) == GroupKind::Three;
    text += "（按组选投注：";
    text += pair ? "组三" + std::to_string(kGroup3Prize) : "组六" + std::to_string(kGroup6Prize);
    return text + "元）";
}

} // namespace

PrizeCheckReport checkPrizeInText(std::string_view memoText, std::string_view entry)
{
    PrizeCheckReport report;
    if (entry.empty())
        return report;
    if (entry.size() != 3 || !isDigit(entry[0]) || !isDigit(entry[1]) || !isDigit(entry[2])) {
        report.outcome = PrizeCheckReport::Outcome::Malformed;
        report.statusText = "开奖号码应为3位数字：" + std::string(entry);
        return report;
    }
    report.outcome = PrizeCheckReport::Outcome::NotFound;
    report.statusText = std::string(kPrizeNotFoundText) + std::string(entry);

    const int code = (entry[0] - '0') * 100 + (entry[1] - '0') * 10 + (entry[2] - '0');
    const int group = groupOf(code);
    std::vector<int> others;
    for (const CodeInText& found : codesInText(memoText)) {
        if (found.code == code) {
            report.directHits.push_back(found.position);
        } else if (groupOf(found.code) == group) {
            report.groupHits.push_back(found.position);
            others.push_back(found.code);
        }
    }
    if (report.directHits.empty() && report.groupHits.empty())
        return report;
    report.outcome = PrizeCheckReport::Outcome::Found;
    std::string text = report.directHits.empty() ? std::string() : directText(code);
    if (!others.empty())
        text += (text.empty() ? "" : "；") + groupText(code, std::move(others));
    report.statusText = std::move(text);
    return report;
}

ResultPrizeReport checkResultAgainstDraw(std::string_view memoText, const DrawRecord& draw)
{
    ResultPrizeReport report;
    const int code = draw.drawCode;
    const int group = groupOf(code);
    for (const CodeInText& found : codesInText(memoText)) {
        if (found.code == code) {
            report.directHits.push_back(found.position);
            ++report.directBets;
            report.directPrize += betPrize(Play::Direct, found.code, code);
        } else if (groupOf(found.code) == group) {
            report.groupHits.push_back(found.position);
            ++report.groupBets;
            report.groupPrize += betPrize(Play::Group, found.code, code);
        }
    }
    report.statusText = "按最新一期兑奖（第" + draw.issueText() + "期，开奖号" + codeText(code) + "）：直选"
        + std::to_string(report.directBets) + "注" + std::to_string(report.directPrize) + "元，组选"
        + std::to_string(report.groupBets) + "注" + std::to_string(report.groupPrize) + "元，共"
        + std::to_string(report.prize()) + "元";
    return report;
}

} // namespace velmora
