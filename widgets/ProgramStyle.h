#pragma once

#include <QProxyStyle>

// The program's own style: Fusion, whatever style the desktop would choose, with three changes.
// Drop-down lists open as a scrolling list of at most a dozen entries (Fusion shows them as a menu
// the height of the screen) and are drawn flat in the window's colours; push buttons with the
// keyboard focus carry a dotted focus mark that shows on their grey face.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    ProgramStyle();

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
