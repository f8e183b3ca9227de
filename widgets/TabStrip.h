#pragma once

#include <QAccessible>
#include <QTabBar>

// A tab strip whose captions wrap onto two lines, so that six long captions fit the viewer's width.
// A screen reader is told which tab loses the selection and which takes it, and that the current
// tab takes the keyboard focus with the strip (see Accessibility.h).
class TabStrip final : public QTabBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TabStrip)

public:
    explicit TabStrip(QWidget *parent);

    // The caption broken at the space nearest its middle.
    static QString wrapped(const QString &caption);

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void tellScreenReaders(int index, QAccessible::Event type);

    int m_current = -1;
};
