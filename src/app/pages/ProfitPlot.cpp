#include "app/pages/ProfitPlot.h"

#include "app/UiSupport.h"
#include "core/draw/DrawRecord.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

const QColor kProfitColour(0x1f, 0x5f, 0xbf);
const QColor kAverageColour(0x88, 0x88, 0x88);
const QColor kGridColour(0xe2, 0xe2, 0xe2);
constexpr int kGap = 6;

const QString& emptyText()
{
    static const QString text = QStringLiteral("还没有已开奖的投注");
    return text;
}

double averageOf(const ProfitPoint& point) { return static_cast<double>(point.expectedProfitMilli) / 1000.0; }

} // namespace

std::vector<long long> yuanTicks(double low, double high)
{
    const double span = high - low;
    long long step = 1;
    for (long long power = 1; static_cast<double>(step) * 5 < span; power *= 10) {
        for (const long long m : { 1, 2, 5 }) {
            step = m * power;
            if (static_cast<double>(step) * 5 >= span)
                break;
        }
    }
    std::vector<long long> ticks;
    const auto first = static_cast<long long>(std::ceil(low / static_cast<double>(step))) * step;
    for (long long tick = first; static_cast<double>(tick) <= high; tick += step)
        ticks.push_back(tick);
    return ticks;
}

std::vector<std::pair<int, QString>> issueLabels(const std::vector<ProfitPoint>& points, int maxLabels)
{
    std::vector<std::pair<int, QString>> labels;
    const int count = static_cast<int>(points.size());
    if (count == 0)
        return labels;
    const int shown = std::clamp(maxLabels, 1, count);
    for (int j = 0; j < shown; ++j) {
        // Evenly from the first issue to the last; with room for one, the last.
        const int index
            = shown == 1 ? count : 1 + static_cast<int>(std::lround(double(j) * (count - 1) / (shown - 1)));
        if (labels.empty() || labels.back().first != index)
            labels.emplace_back(
                index, toQString(issueKeyText(points[static_cast<std::size_t>(index - 1)].issue)));
    }
    return labels;
}

ProfitPlot::ProfitPlot(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProfitPlot::setPoints(std::vector<ProfitPoint> points)
{
    m_points = std::move(points);
    double low = 0;
    double high = 0;
    for (const ProfitPoint& point : m_points) {
        low = std::min({ low, static_cast<double>(point.profit), averageOf(point) });
        high = std::max({ high, static_cast<double>(point.profit), averageOf(point) });
    }
    const double margin = std::max(1.0, (high - low) / 20);
    m_low = low - margin;
    m_high = high + margin;
    update();
}

std::vector<long long> ProfitPlot::yTicks() const
{
    return m_points.empty() ? std::vector<long long>() : yuanTicks(m_low, m_high);
}

QStringList ProfitPlot::xLabels() const
{
    QStringList texts;
    for (const auto& label : issueLabels(m_points, maxXLabels()))
        texts << label.second;
    return texts;
}

QSize ProfitPlot::sizeHint() const { return { 480, 200 }; }

QSize ProfitPlot::minimumSizeHint() const { return { 240, fontMetrics().height() * 6 }; }

QRect ProfitPlot::plotArea() const
{
    const QFontMetrics metrics = fontMetrics();
    int labelWidth = metrics.horizontalAdvance(QStringLiteral("元"));
    for (const long long tick : yTicks())
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QString::number(tick)));
    const int issueWidth = metrics.horizontalAdvance(QStringLiteral("0000000"));
    const int top = metrics.height() + 2 * kGap;
    const int left = labelWidth + 2 * kGap;
    const int right = issueWidth / 2 + 2 * kGap;
    const int bottom = metrics.height() + 2 * kGap;
    return rect().adjusted(left, top, -right, -bottom);
}

int ProfitPlot::maxXLabels() const
{
    const int issueWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 3 * kGap;
    return std::max(1, plotArea().width() / issueWidth + 1);
}

void ProfitPlot::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    if (m_points.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, emptyText());
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const QRect area = plotArea();
    const std::vector<long long> ticks = yTicks();
    const double bottomValue = m_low;
    const double valueSpan = m_high - m_low;
    const auto count = static_cast<double>(m_points.size());
    const auto xOf = [&](int index) { return area.left() + area.width() * index / count; };
    const auto yOf
        = [&](double value) { return area.bottom() - area.height() * (value - bottomValue) / valueSpan; };

    // The legend above, the unit at the top of the value labels.
    const int legendY = kGap + metrics.ascent();
    painter.drawText(kGap, legendY, QStringLiteral("元"));
    int legendX = area.left();
    const auto legend = [&](const QString& text, const QPen& pen) {
        const int lineY = kGap + metrics.height() / 2;
        painter.setPen(pen);
        painter.drawLine(legendX, lineY, legendX + 24, lineY);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(legendX + 24 + kGap, legendY, text);
        legendX += 24 + 3 * kGap + metrics.horizontalAdvance(text);
    };
    const QPen profitPen(kProfitColour, 2);
    const QPen averagePen(kAverageColour, 1.5, Qt::DashLine);
    legend(QStringLiteral("累计盈亏"), profitPen);
    legend(QStringLiteral("按长期平均回报的累计盈亏"), averagePen);

    for (const long long tick : ticks) {
        const auto y = static_cast<int>(std::lround(yOf(static_cast<double>(tick))));
        painter.setPen(tick == 0 ? palette().color(QPalette::Mid) : kGridColour);
        painter.drawLine(area.left(), y, area.right(), y);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, y - metrics.height() / 2, area.left() - kGap, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(tick));
    }
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    for (const auto& [index, text] : issueLabels(m_points, maxXLabels())) {
        const auto x = static_cast<int>(std::lround(xOf(index)));
        painter.drawLine(x, area.bottom(), x, area.bottom() + kGap / 2);
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(
            QRect(x - width / 2 - kGap, area.bottom() + kGap, width + 2 * kGap, metrics.height()),
            Qt::AlignCenter, text);
    }

    // Both lines start at nothing staked and nothing won.
    QPainterPath profit(QPointF(xOf(0), yOf(0)));
    QPainterPath average(QPointF(xOf(0), yOf(0)));
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        const double x = xOf(static_cast<int>(i) + 1);
        profit.lineTo(x, yOf(static_cast<double>(m_points[i].profit)));
        average.lineTo(x, yOf(averageOf(m_points[i])));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area.adjusted(-2, -2, 2, 2));
    painter.strokePath(average, averagePen);
    painter.strokePath(profit, profitPen);
}

} // namespace velmora
