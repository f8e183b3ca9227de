#include "widgets/Messages.h"

#include "model/Product.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButton showInformation(const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Information, kApplicationTitle, text, buttons);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void showMessage(const QString &text)
{
    showInformation(text, QMessageBox::Ok);
}

bool askYesNo(const QString &text)
{
    return showInformation(text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
