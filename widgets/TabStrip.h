#pragma once

#include <QTabBar>

// A tab strip whose captions wrap onto two lines, so that six long captions fit the viewer's width.
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
};
