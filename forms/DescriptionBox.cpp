#include "DescriptionBox.h"

#include <QEvent>

DescriptionBox::DescriptionBox(const QString &name, const QString &placeholder, QWidget *parent)
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
    setPlainText(placeholder + QStringLiteral("\r\n"));
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
    connect(this, &QPlainTextEdit::textChanged, this, &DescriptionBox::touched);
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

bool DescriptionBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            emit touched();
            break;
        default:
            break;
        }
    }
    return QPlainTextEdit::eventFilter(watched, event);
}
