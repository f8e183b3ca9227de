#pragma once

#include <QLabel>

// A label that acts as a link: a pointing hand over it, a click (left button released over it)
// emits clicked(). It never takes the keyboard focus; a screen reader finds it as a link whose
// press action clicks it.
class LinkLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkLabel)

public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
