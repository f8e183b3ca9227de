#include "report/SaveAndPrintDialogs.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Keeps the page-range choices of Qt's own print dialog disabled while it is shown. Qt 6.4's dialog
// (qprintdialog_unix.cpp, built with CUPS) ignores a missing PrintPageRange option: it enables
// "Pages from" whenever the option is absent, and "Pages" whenever the printer is not a PDF file,
// again at each change of printer (no fix released as of Qt 6.4.3; no report of it found in Qt's
// tracker). Its controls have no public handle, so they are found by the object names of Qt's form
// (test_save_and_print_dialogs fails when a name is no longer found).
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
    // Qt's dialog would carry the folder of the last file from one use to the next: it is started
    // where a fresh dialog starts, in the folder the program was started in, with no file name.
    QFileDialog dialog(parent, request.caption, QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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
    // The report prints all of itself or its selection: the page range stays off.
    PageRangeDisabler disabler(&dialog);
    return dialog.exec() == QDialog::Accepted;
}
