#pragma once

#include <QPlainTextEdit>

// A locked multi-line description box with a vertical scroll bar; the user can select its text
// but not change it.
class DescriptionBox final : public QPlainTextEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DescriptionBox)

public:
    DescriptionBox(const QString &name, const QString &text, QWidget *parent);
};
