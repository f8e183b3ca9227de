#pragma once

#include <QPalette>
#include <QProxyStyle>

#include <vector>

// The program's own style: Fusion, whatever style the desktop would choose, with three changes.
// Drop-down lists open as a scrolling list of at most a dozen entries (Fusion shows them as a menu
// the height of the screen) and are drawn flat in the window's colours; push buttons with the
// keyboard focus carry a dotted focus mark that shows on their grey face. The menu bar's extension
// button takes the program's own pictures read as PNG, so that making a menu bar loads no image
// plug-in. The style uses Theme's colours and pictures; Theme knows nothing of it.
//
// Fusion (Qt 6.4) keeps its pictures of buttons, scroll bars and arrows in Qt's pixmap cache, named
// after the cache key of the palette they were drawn with, and every widget's palette has a key of
// its own even where its colours are another's: each opening of a window would add a set of
// pictures and names. So that a window opened again and again draws from the pictures of its first
// opening, buttons, scroll bars and arrows are drawn with one palette for each set of colours
// (test_program_style fails when Fusion stops naming its pictures so). No released Qt is known to
// name them otherwise, and no report of it was found in Qt's tracker.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    ProgramStyle();

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    // One palette for each set of colours drawn so far.
    mutable std::vector<QPalette> m_palettes;
};
