#pragma once
// The look shared by the main window's pieces: colours, the controls' font,
// the window's shaded background and the pictures of a few controls.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace ohmora {

inline const QColor kPanelColour{240, 235, 230};
inline const QColor kStripColour{210, 205, 200};
inline const QColor kDarkGrey{128, 128, 128}; // palette index 8

// Arial 8.25 pt, held at 11 pixels so that the layout does not follow the
// screen's DPI.
QFont controlFont();

// The window background: white at the top shading to RGB(200, 200, 180) at
// y = 600, one horizontal line per pixel row, and the dark grey drop shadow
// `shadow` (both corners included) behind the text area.
QImage windowBackground(int width, int height, const QRect& shadow);

// Colour of the background line at y (0 to 600).
QColor backgroundLineColour(int y);

// The frame that shows which control has the keyboard's focus, inside
// `rect`: two pixels of the desktop's highlight colour, seen from the back
// of a classroom.
void paintFocusFrame(QPainter& painter, const QRect& rect);

// The pointer shown over a zone of switch K: a pointing hand.
QCursor handCursor();

// The 32 × 32 picture beside the help line.
QPixmap helpLinePicture();

// The picture of the exercise button.
QPixmap exercisePicture();

} // namespace ohmora
