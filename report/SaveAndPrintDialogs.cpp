#include "report/SaveAndPrintDialogs.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {

// Keeps the page-range choices of Qt's own print dialog disabled while it is shown.
class PageRangeDisabler final : public QObject {
public:
    explicit PageRangeDisabler(QDialog *dialog)
        : m_dialog(dialog)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_dialog && event->type() == QEvent::Show)
            disable();
        // The dialog enables its controls again as the printer changes: switch them back off.
        else if (event->type() == QEvent::EnabledChange && watched != m_dialog)
            disable();
        return false;
    }

private:
    void disable()
    {
        for (const char *name : {"printRange", "pagesRadioButton", "from", "to", "pagesLineEdit"}) {
            if (auto *widget = m_dialog->findChild<QWidget *>(QLatin1String(name))) {
                widget->installEventFilter(this);
                if (widget->isEnabled())
                    widget->setEnabled(false);
            }
        }
    }

    QDialog *m_dialog;
};

} // namespace

std::optional<QString> QtSaveAndPrintDialogs::askSaveFileName(QWidget *parent, const SaveRequest &request)
{
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A program started from a menu has no meaningful working folder: start where the user keeps
    // documents, then where the last file went.
    QString folder = m_lastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

bool QtSaveAndPrintDialogs::askPrinter(QWidget *parent, QPrinter &printer, bool hasSelection)
{
    QPrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
        | QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (hasSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setPrintRange(hasSelection ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
    // Qt's own dialog offers "Pages from ... to" whatever the options say; the report prints all
    // of itself or its selection, so that choice is switched off each time the dialog shows.
    PageRangeDisabler disabler(&dialog);
    return dialog.exec() == QDialog::Accepted;
}
