// 深色: the window's dark palette. Until the user chooses in the menu 视图, the
// window follows the system: a dark system palette at start-up means dark.
#pragma once

#include <QPalette>

namespace velmora {

class Platform;

// The dark palette: light text on dark grey, the selection and links in blue.
QPalette darkPalette();
// Whether the palette is dark (its window darker than its text).
bool isDarkPalette(const QPalette& palette);
// The text of a fault, and of a success: dark red and dark green on a light window,
// light red and light green on a dark one.
QColor errorTextColor(const QPalette& palette);
QColor successTextColor(const QPalette& palette);
// The user's choice kept in the settings, or the system's palette until there is one.
bool darkThemeChosen(Platform& platform);
// Puts the application in the dark palette or back in the one it started with, and
// keeps the choice.
void setDarkTheme(Platform& platform, bool dark);
// Applies the choice without keeping it (start-up).
void applyDarkTheme(bool dark);
// The application's style draws the keyboard focus as a frame of two pixels in the
// selection colour, so that the control with the focus is seen at a glance. Once.
void installFocusFrameStyle();

} // namespace velmora
