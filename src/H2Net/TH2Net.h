// TH2Net: the read-only chart grid on top of TH2NetModel. It lays the model out
// for its viewport, paints the fixed rows and only the data rows that fit (so a paint
// costs the same for 30 or 10,000 draws), and scrolls with its vertical bar, the wheel
// and the keys Up/Down, Page Up/Page Down, Home/End.
//
// A chart page owns one, fills Model() with a chart builder (which ends with the model's
// layout pass, so scroll range and repaint follow by themselves) and connects
// MessageRaised to the application's message box for the model's index errors.
#pragma once

#include "H2Net/H2NetModel.h"

#include <QAbstractScrollArea>

class TH2Net : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TH2Net(QWidget* parent = nullptr);

    velmora::TH2NetModel& Model() { return model_; }
    const velmora::TH2NetModel& Model() const { return model_; }

    // Data rows drawn by the last paint (what "paints only visible rows" is checked by).
    int PaintedDataRows() const { return paintedDataRows_; }

signals:
    void MessageRaised(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnLayout();
    // Applies a scroll command as the scroll bar's own commands do: new FTopRow, bar
    // position, repaint, keyboard focus.
    void ScrollBy(velmora::TScrollCmd cmd);
    void DrawCellText(QPainter& painter, const velmora::TNetRect& rect, const std::string& text);

    velmora::TH2NetModel model_;
    bool syncingBar_ = false;
    int paintedDataRows_ = 0;
};
