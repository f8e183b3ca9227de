#pragma once
// The look every window shares: turquoise background, dark red text in boxes and lists, dark
// grey strips, Verdana, fixed size without minimise and maximise buttons, centred on the screen.

#include <QColor>
#include <QFont>

class QWidget;
class QFrame;

namespace look {

inline const QColor kTurquoise{48, 194, 191};
inline const QColor kDarkRed{64, 0, 0};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kYellow{255, 255, 0};
inline const QColor kLightGrey{192, 192, 192};
inline const QColor kMaroon{128, 0, 0};

// Converts a length in twips to logical pixels (15 twips to a pixel).
constexpr int Px(int twips)
{
    return (twips + 7) / 15;
}

QFont Verdana(double pointSize, bool bold = false, bool underline = false);

// Title, icon, background and the fixed-size, centred frame of a top-level window.
void SetUpWindow(QWidget *window, int clientWidth, int clientHeight);

// Centres a window on the screen it is on.
void Centre(QWidget *window);

// A dark grey strip without caption.
QFrame *Strip(QWidget *parent, int x, int y, int width, int height);

// The style sheet of the input form and the viewer.
QString FormStyleSheet();

} // namespace look
