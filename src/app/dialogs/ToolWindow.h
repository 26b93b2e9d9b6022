// A tool window of the main window (the result window, the history check): a dock
// widget that floats beside the main window where the screen has room there and
// docks in the main window's right area where it has not, so that it never covers
// the page in front. The user may float or dock it through its title bar; that
// choice is kept in the settings and decides from then on.
#pragma once

#include <QDockWidget>
#include <QRect>
#include <QString>

#include <optional>

class QMainWindow;

namespace velmora {

class Platform;

// Where a floating tool window goes (frame rectangles, global coordinates): right of
// the owner's frame when the screen has room there, top-aligned with it; otherwise at
// the right edge of the screen, with its top below keepClearBottom (the owner's tool
// bars end there) so that it never covers them. A window taller than the room left
// below is cut to that room (never below minHeight).
QRect resultWindowPlace(
    const QRect& screen, const QRect& ownerFrame, int keepClearBottom, QSize frameSize, int minHeight);

class ToolWindow : public QDockWidget {
    Q_OBJECT

public:
    // settingKey names the setting that keeps the user's choice. A parent that is a
    // main window takes the tool window into its right dock area when it docks;
    // without one the tool window is always a window of its own.
    ToolWindow(Platform& platform, QString settingKey, QWidget* parent);

    // true: the user last floated it; false: docked it; none: never chose.
    std::optional<bool> chosenFloating() const;

protected:
    // The size it floats at when the user floats it from the dock.
    virtual QSize designSize() const = 0;

    // Whether the window is to float: as the user chose, else when there is room
    // beside the main window. Without a main window it always floats.
    bool floats(bool roomBeside) const;
    // Makes the window float, hidden where it was not floating; true when it was
    // docked until now (its place and size are then the caller's to set).
    bool makeFloating();
    // Docks the window in the main window's right area and shows it in front, as wide
    // as wanted but never wider than two fifths of the main window; a tab beside
    // another tool window docked there.
    void showDocked(int wantedWidth);

private:
    QMainWindow* owner() const;
    // Floated by the user: at its design size (or larger) beside the main window,
    // where a newly floated dock would otherwise go (its docked size, anywhere).
    void placeFloated();

    Platform& m_platform;
    QString m_settingKey;
    // Set while the program itself floats or docks the window: only the user's
    // moves are a choice to keep.
    bool m_placing = false;
};

} // namespace velmora
