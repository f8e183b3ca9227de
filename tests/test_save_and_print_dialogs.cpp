// The real Save As and Print dialogs, answered from inside their modal loops.
#include "report/SaveAndPrintDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Acts on the dialog once its modal loop runs; whatever happens, the dialog is closed afterwards,
// so that a failed check never leaves the test waiting on it.
void AnswerModal(const std::function<void(QWidget *)> &act)
{
    QTimer::singleShot(0, [act] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog)
            act(dialog);
        if (dialog && dialog->isVisible())
            dialog->close();
    });
}

TEST(SaveAndPrintDialogs, SaveOffersNoNameAndRemembersNothing)
{
    QTemporaryDir elsewhere;
    QtSaveAndPrintDialogs dialogs;
    const SaveAndPrintDialogs::SaveRequest request{"Larkspire", "Rich Text Format (*.rtf)", "rtf"};
    for (int opening = 0; opening < 2; ++opening) {
        QString folder;
        QString offered = "<not seen>";
        QString caption;
        AnswerModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog)
                return;
            folder = dialog->directory().absolutePath();
            offered = dialog->findChild<QLineEdit *>("fileNameEdit")->text();
            caption = dialog->windowTitle();
            dialog->selectFile(elsewhere.filePath("reading"));
            static_cast<QDialog *>(dialog)->accept();
        });
        EXPECT_EQ(dialogs.askSaveFileName(nullptr, request), elsewhere.filePath("reading.rtf")) << opening;
        EXPECT_EQ(folder, QDir::currentPath()) << "the dialog opened in the folder of an earlier save";
        EXPECT_EQ(offered, "") << opening;
        EXPECT_EQ(caption, "Larkspire");
    }
    AnswerModal([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
    EXPECT_EQ(dialogs.askSaveFileName(nullptr, request), std::nullopt);
}

// ---- The real print dialog ----

TEST(SaveAndPrintDialogs, ThePrintDialogOffersNoPageRange)
{
    // Qt's dialog switches its page-range controls on again as the printer changes; each of them,
    // found by the object name Qt's form gives it, must be switched off again.
    const QStringList pageRange{"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit"};
    for (const bool hasSelection : {false, true}) {
        QtSaveAndPrintDialogs dialogs;
        QPrinter printer(QPrinter::HighResolution);
        QStringList missing;
        QStringList enabled;
        bool selectionChosen = false;
        bool seen = false;
        AnswerModal([&](QWidget *dialog) {
            seen = true;
            for (const QString &name : pageRange) {
                auto *control = dialog->findChild<QWidget *>(name);
                if (!control) {
                    missing += name;
                    continue;
                }
                control->setEnabled(true);
                if (control->isEnabled())
                    enabled += name;
            }
            auto *selection = dialog->findChild<QRadioButton *>("printSelection");
            selectionChosen = selection && selection->isChecked();
        });
        EXPECT_FALSE(dialogs.askPrinter(nullptr, printer, hasSelection));
        EXPECT_TRUE(seen);
        EXPECT_EQ(missing, QStringList()) << "Qt's print dialog no longer has these controls";
        EXPECT_EQ(enabled, QStringList()) << hasSelection;
        EXPECT_EQ(selectionChosen, hasSelection);
    }
}

} // namespace
