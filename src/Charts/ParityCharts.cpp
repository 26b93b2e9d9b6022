// "奇偶走势图" and "大小走势图": one design with two tests of a value (odd, or big),
// applied to each digit and to the sum, plus the group and single letters of the code.
#include "Charts/ChartSkeleton.h"
#include "Charts/Charts.h"
#include "Code/Code.h"

namespace velmora {

namespace {

using namespace charts;

constexpr TColor kGroupBands[4] = {TColor::Rgb(85, 209, 239), TColor::Rgb(99, 228, 181),
                                   TColor::Rgb(196, 163, 222), TColor::Rgb(85, 209, 239)};
constexpr TColor kHitMark = TColor::Rgb(241, 211, 228);
constexpr TColor kMissMark = TColor::Rgb(241, 195, 212);
constexpr TColor kLetterGroupBand = TColor::Rgb(99, 228, 181);
constexpr TColor kLetterSingleBand = TColor::Rgb(196, 163, 222);
constexpr TColor kLetterMark = TColor::Rgb(241, 195, 212);
constexpr const char* kLetters = "ABCDEFGHIJKLMN";

struct TParityTest {
    const char* Hit;
    const char* Miss;
    bool (*IsHit)(long long value);
    int (*CountOfCode)(int code);
    int (*MaskOfCode)(int code);
};

// IsBigNum looks at the last digit only, so a sum of 15 is big and one of 20 small.
constexpr TParityTest kOddEven = {"J", "O", IsOddNum, OddCountOfCode, OddMaskOfCode};
constexpr TParityTest kBigSmall = {"D", "X", IsBigNum, BigCountOfCode, BigMaskOfCode};

template <const TParityTest& test>
void FillParityRow(TChartRow& row, int code)
{
    const int sum = SumOfCode(code, false);
    row.Text(4, IntToPadStr(sum, 2, true));
    row.Add(4, sum);

    const int values[4] = {NumOfCode(code, 1), NumOfCode(code, 2), NumOfCode(code, 3), sum};
    for (int g = 0; g < 4; ++g)
        row.Fill(5 + 4 * g, 8 + 4 * g, kGroupBands[g]);
    for (int g = 0; g < 4; ++g) {
        if (test.IsHit(values[g]))
            row.Mark(6 + 4 * g, test.Hit, kHitMark);
        else
            row.Mark(8 + 4 * g, test.Miss, kMissMark);
    }

    const int u = test.CountOfCode(code);
    row.Fill(21, 24, kLetterGroupBand);
    row.Mark(21 + u, std::string(1, kLetters[u]), kLetterMark);

    const int m = test.MaskOfCode(code);
    row.Fill(25, 32, kLetterSingleBand);
    row.Mark(25 + m, std::string(1, kLetters[m]), kLetterMark);
}

TChartLayout MakeParityLayout(const TParityTest& test, void (*fillRow)(TChartRow&, int))
{
    TChartLayout chart = StartLayout("号码");
    AppendWidths(chart.Widths, 1, 32);
    AppendWidths(chart.Widths, 28, 18);
    for (int g = 0; g < 4; ++g) {
        chart.SubHeaders.push_back({6 + 4 * g, test.Hit});
        chart.SubHeaders.push_back({8 + 4 * g, test.Miss});
    }
    for (int i = 0; i < 4; ++i)
        chart.SubHeaders.push_back({21 + i, std::string(1, kLetters[i])});
    for (int i = 0; i < 8; ++i)
        chart.SubHeaders.push_back({25 + i, std::string(1, kLetters[i])});
    chart.Merges.insert(chart.Merges.end(),
                       {{"和值", 4, 4, true}, {"百位", 5, 8, false}, {"十位", 9, 12, false},
                        {"个位", 13, 16, false}, {"和值", 17, 20, false}, {"组选", 21, 24, false},
                        {"单选", 25, 32, false}});
    SetTotals(chart.Totals, 4, 32, TTotalText::Decimal);
    chart.FillRow = fillRow;
    return chart;
}

} // namespace

int BuildOddEvenChart(TH2NetModel& net, const TCodeRecArr& history, int n, const MessageFn& message)
{
    static const TChartLayout chart = MakeParityLayout(kOddEven, FillParityRow<kOddEven>);
    return BuildChart(chart, net, history, n, message);
}

int BuildBigSmallChart(TH2NetModel& net, const TCodeRecArr& history, int n, const MessageFn& message)
{
    static const TChartLayout chart = MakeParityLayout(kBigSmall, FillParityRow<kBigSmall>);
    return BuildChart(chart, net, history, n, message);
}

} // namespace velmora
