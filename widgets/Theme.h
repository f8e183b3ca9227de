#pragma once
// The look every window shares: turquoise background, dark red text in boxes and lists, dark
// grey strips, Verdana, fixed size without minimise and maximise buttons, centred on the screen.

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;
class QFrame;

namespace theme {

inline const QColor kTurquoise{48, 194, 191};
inline const QColor kDarkRed{64, 0, 0};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kYellow{255, 255, 0};
inline const QColor kLightGrey{192, 192, 192};
inline const QColor kMaroon{128, 0, 0};

// Converts a length in twips to logical pixels (15 twips to a pixel).
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

QFont verdana(double pointSize, bool bold = false, bool underline = false);

// Title, icon, font, background and the fixed frame (no minimise or maximise button) of a
// top-level window. Called before the window's controls are made, so that they inherit it.
void setUpWindow(QWidget *window);

// Fixes the window's size.
void fixSize(QWidget *window, int width, int height);

// Sets one colour of a widget's palette (which its children inherit).
void paint(QWidget *widget, QPalette::ColorRole role, const QColor &color);

// The colours of the input form and the viewer: dark red text on turquoise in boxes and lists.
void useFormColours(QWidget *window);

// The program's light palette, the same whatever the desktop's colour scheme.
QPalette standardPalette();

// Makes ProgramStyle the application's style and standardPalette() its palette. Called once at
// start, after the application object exists.
void useProgramStyle();

// Gives a widget the standard light colours, whatever its window's colours are.
void useStandardColours(QWidget *widget);

// A light grey push button with black text.
void greyButton(QWidget *button);

// Centres a window on the screen it is on.
void centre(QWidget *window);

// A dark grey strip without caption.
QFrame *darkStrip(QWidget *parent, int x, int y, int width, int height);


} // namespace theme
