#pragma once
// The widgets layer: the parts every window is built from.
//
// Theme gives every window its look (turquoise background, dark red text in boxes and lists, dark
// grey strips, Verdana, a fixed size without minimise and maximise buttons, centred on the screen)
// and places controls from a window's table of rectangles in twips. The parts: ProgramStyle, link
// labels, the caption frame, the tab strip, the description boxes, the name key filter, the
// clipboard guard, message boxes, the About box, and BrandedWindow, the frame of both main windows.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QFrame;
class QPixmap;
class QPushButton;
class QWidget;

namespace theme {

inline const QColor kTurquoise{48, 194, 191};
inline const QColor kDarkRed{64, 0, 0};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kYellow{255, 255, 0};
inline const QColor kLightGrey{192, 192, 192};
inline const QColor kMaroon{128, 0, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kPaleCyan{192, 255, 255};

// Every window's typeface, which the saved report names too.
inline const QString kFontFamily = QStringLiteral("Verdana");
// The size of the windows' text, in points.
inline constexpr double kTextPoints = 8.25;
// The size of titles and of the report's text, in points.
inline constexpr double kLargePoints = 9.75;

enum FontStyle { Plain = 0, Bold = 1, Underlined = 2 };

QFont font(int styles = Plain, double points = kTextPoints);

// A rectangle of a window's design, in twips (1/1440 inch, 15 twips to a logical pixel).
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// Converts a length in twips to logical pixels.
constexpr int pixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect pixels(Twips rect)
{
    return {pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height)};
}

// A PNG image of the program's resources, read as PNG (no other image format is looked for).
QPixmap pngPixmap(const QString &resource);

// The program's icon, as every window and the About box show it.
QPixmap programIcon();

// Places a control at its rectangle of the design.
void place(QWidget *control, Twips rect);

// Title, role (the window's object name, which must be set first), icon, font, background and the
// fixed frame (no minimise or maximise button) of a top-level window. Called before the window's
// controls are made, so that they inherit it. The
// icon is the application's, which the first call sets, so that all windows share its pictures.
void setUpWindow(QWidget *window);

// Sets one colour of a widget's palette (which its children inherit).
void paint(QWidget *widget, QPalette::ColorRole role, const QColor &color);

// The colours of the input form and the viewer: dark red text on turquoise in boxes and lists.
void useFormColours(QWidget *window);

// The program's light palette, the same whatever the desktop's colour scheme.
QPalette standardPalette();

// Makes ProgramStyle the application's style and standardPalette() its palette. Called once at
// start, after the application object exists. Defined with the style (ProgramStyle.cpp), which
// uses this file's colours and pictures.
void useProgramStyle();

// Gives a widget the standard light colours, whatever its window's colours are.
void useStandardColours(QWidget *widget);

// A light grey push button with black text.
void greyButton(QWidget *button);

// A light grey push button at its rectangle of a window's design: its object name, caption (with
// its access key), the name a screen reader speaks, and font. Enter in a dialog never presses it.
QPushButton *greyButton(QWidget *parent, const char *name, const QString &caption, const QString &spoken,
                        const QFont &font, Twips rect);

// Centres a window on the screen it is on.
void centre(QWidget *window);

// A dark grey strip without caption, at its rectangle of the design.
QFrame *darkStrip(QWidget *parent, Twips rect);

} // namespace theme
