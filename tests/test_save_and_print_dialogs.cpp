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

TEST(SaveAndPrintDialogs, SaveStartsInDocumentsThenWhereTheLastFileWent)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(home.filePath("Documents")));
    ASSERT_TRUE(QDir().mkpath(home.filePath("elsewhere")));
    QtSaveAndPrintDialogs dialogs;
    const SaveAndPrintDialogs::SaveRequest request{"Larkspire", "Rich Text Format (*.rtf)", "rtf", "Larkspire Interpretation.rtf"};
    const auto answer = [](const std::function<void(QFileDialog *)> &act) {
        AnswerModal([act](QWidget *modal) {
            if (auto *dialog = qobject_cast<QFileDialog *>(modal))
                act(dialog);
        });
    };
    QString firstFolder;
    QString suggested;
    answer([&](QFileDialog *dialog) {
        firstFolder = dialog->directory().absolutePath();
        suggested = dialog->findChild<QLineEdit *>("fileNameEdit")->text();
        dialog->selectFile(home.filePath("elsewhere/reading.rtf"));
        static_cast<QDialog *>(dialog)->accept();
    });
    EXPECT_EQ(dialogs.askSaveFileName(nullptr, request), home.filePath("elsewhere/reading.rtf"));
    EXPECT_EQ(firstFolder, home.filePath("Documents"));
    EXPECT_EQ(suggested, "Larkspire Interpretation.rtf");
    QString secondFolder;
    answer([&](QFileDialog *dialog) {
        secondFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(dialogs.askSaveFileName(nullptr, request), std::nullopt);
    EXPECT_EQ(secondFolder, home.filePath("elsewhere"));
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

// ---- The real print dialog ----

TEST(SaveAndPrintDialogs, ThePrintDialogOffersNoPageRange)
{
    for (const bool hasSelection : {false, true}) {
        QtSaveAndPrintDialogs dialogs;
        QPrinter printer(QPrinter::HighResolution);
        bool pagesFromEnabled = true;
        bool selectionChosen = false;
        bool seen = false;
        AnswerModal([&](QWidget *dialog) {
            auto *pagesFrom = dialog->findChild<QRadioButton *>("printRange");
            auto *selection = dialog->findChild<QRadioButton *>("printSelection");
            if (!pagesFrom || !selection)
                return;
            seen = true;
            // The dialog switches its controls on again when the printer changes.
            pagesFrom->setEnabled(true);
            pagesFromEnabled = pagesFrom->isEnabled();
            selectionChosen = selection->isChecked();
        });
        EXPECT_FALSE(dialogs.askPrinter(nullptr, printer, hasSelection));
        EXPECT_TRUE(seen);
        EXPECT_FALSE(pagesFromEnabled) << hasSelection;
        EXPECT_EQ(selectionChosen, hasSelection);
    }
}

} // namespace
