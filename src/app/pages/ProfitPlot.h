// The plot of 我的投注: the running 盈亏 by drawn issue beside what the game returns
// on average, painted with QPainter so that the program links no plotting library
// (its start-up stays as lean as a plain window's). The x axis names issues, the y
// axis whole yuan, both in the widget's font.
#pragma once

#include "core/ledger/Settlement.h"

#include <QStringList>
#include <QWidget>

#include <utility>
#include <vector>

namespace velmora {

// The ticks of a value axis from low to high (high − low at least 2): whole yuan at the
// smallest step of 1, 2 or 5 times a power of ten that parts the range in at most
// five, every multiple of the step in the range; two to six of them, ascending.
std::vector<long long> yuanTicks(double low, double high);

// The points (0 the start, i the i-th drawn issue) labelled on an x axis that has
// room for at most maxLabels issue texts: the first and the last issue and others
// evenly between; with their texts ("2026004").
std::vector<std::pair<int, QString>> issueLabels(const std::vector<ProfitPoint>& points, int maxLabels);

class ProfitPlot : public QWidget {
    Q_OBJECT

public:
    explicit ProfitPlot(QWidget* parent = nullptr);

    void setPoints(std::vector<ProfitPoint> points);
    const std::vector<ProfitPoint>& points() const { return m_points; }

    // What the axes show at the present size: empty while no ticket has been drawn.
    std::vector<long long> yTicks() const;
    QStringList xLabels() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The area the lines are drawn in, inside the axes' labels and the legend.
    QRect plotArea() const;
    int maxXLabels() const;

    std::vector<ProfitPoint> m_points;
    // The value axis's range: every point, 0 and a margin.
    double m_low = 0;
    double m_high = 0;
};

} // namespace velmora
