#pragma once

#include <QFont>
#include <QWidget>

// A frame with a caption in its top border, like the input form's "Please Fill In The Below
// Details". It draws its caption itself in a bold font of its own, so that the controls inside
// keep the window's font.
class CaptionFrame final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptionFrame)

public:
    CaptionFrame(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QFont m_captionFont;
};
