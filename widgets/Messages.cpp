#include "widgets/Messages.h"

#include "model/Product.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButton showBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, kApplicationTitle, text, buttons);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void showMessage(const QString &text)
{
    showBox(QMessageBox::Information, text, QMessageBox::Ok);
}

void showWarning(const QString &text)
{
    showBox(QMessageBox::Warning, text, QMessageBox::Ok);
}

bool askYesNo(const QString &text)
{
    return showBox(QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
