// The editor's light and dark looks. Both use the Fusion style so that every
// window draws the same on every desktop; the dark one takes the block
// toolbar's panel colours, so the editors below it read as one face with it.
// Which one applies follows the desktop's colour scheme.
#pragma once

class QApplication;
class QPalette;

enum class Scheme { Light, Dark };

// The desktop's choice: its colour scheme where Qt reports one, else the
// lightness of the palette's window colour.
Scheme DesktopLook(const QPalette& desktop);
QPalette LookPalette(Scheme look);
// Sets the style and palette for the whole program.
void ApplyLook(QApplication& app, Scheme look);
// ApplyLook(DesktopLook), again whenever the desktop changes its scheme.
void FollowDesktopLook(QApplication& app);
