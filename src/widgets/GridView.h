// GridView: the read-only chart grid on top of GridModel. It lays the model out for
// its viewport (GridGeometry), paints the fixed rows and only the data rows that fit
// (so a paint costs the same for 30 or 10,000 draws), and scrolls with its vertical
// bar, the wheel and the keys Up/Down, Page Up/Page Down, Home/End. It gives the
// geometry the width of each character in its cell font, so that every column holds
// its widest text; a grid wider than the view scrolls sideways (its bar, Left/Right).
//
// A chart page owns one, fills model() with a chart builder (which ends with the model's
// notifyChanged, so layout, scroll range and repaint follow by themselves) and connects
// messageRaised to the application's message box for the index errors.
#pragma once

#include "core/grid/GridModel.h"
#include "widgets/GridGeometry.h"

#include <QAbstractScrollArea>

class GridView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    velmora::GridModel& model() { return m_model; }
    const velmora::GridModel& model() const { return m_model; }
    const velmora::GridGeometry& gridGeometry() const { return m_geometry; }

    // Data rows drawn by the last paint (what "paints only visible rows" is checked by).
    int paintedDataRows() const { return m_paintedDataRows; }
    // The font of every cell text: the widget's font, bold, at 11 points.
    QFont cellFont() const;

signals:
    void messageRaised(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The layout pass over the whole model, then the scroll bars and a repaint.
    void layOut();
    // The scroll bars and a repaint after the geometry changed.
    void onLayout();
    // Gives the geometry the character widths of the cell font.
    void measureCellFont();
    // The sideways scroll range: the grid's width past the viewport's.
    void updateHorizontalRange();
    // Applies a scroll command as the scroll bar's own commands do: new top row, bar
    // position, repaint, keyboard focus.
    void scrollBy(velmora::ScrollCommand cmd);
    void drawCellText(QPainter& painter, const velmora::GridRect& rect, const std::string& text);

    velmora::GridModel m_model;
    velmora::GridGeometry m_geometry;
    bool m_syncingBar = false;
    int m_paintedDataRows = 0;
};
