#pragma once

#include <QPlainTextEdit>

// A locked multi-line description box with a vertical scroll bar. Its text keeps the CR LF line
// breaks it was given.
class DescriptionBox final : public QPlainTextEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DescriptionBox)

public:
    DescriptionBox(const QString &name, const QString &text, QWidget *parent);

    void setText(const QString &text);
    // The text with CR LF between its lines.
    QString text() const;
};
