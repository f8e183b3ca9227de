#include "DescriptionBox.h"

DescriptionBox::DescriptionBox(const QString &name, const QString &text, QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(name);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setPlainText(text);
}

void DescriptionBox::setText(const QString &text)
{
    setPlainText(text);
}

QString DescriptionBox::text() const
{
    QString plain = toPlainText();
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return plain;
}
