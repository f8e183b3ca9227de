#pragma once

#include "Platform.h"
#include "Reading.h"

#include <QDialog>

#include <memory>

class LinkLabel;
class QPushButton;
class QTextDocument;
class QTextEdit;
class ReportLinks;

// The report window: a reading composed as rich text, which the user can read, edit, save as an
// RTF file and print. Modal; composed afresh at every opening and discarded when closed.
class ReportDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportDialog)

public:
    ReportDialog(Platform platform, Reading reading, QWidget *parent = nullptr);
    ~ReportDialog() override;

    // Opens a report of the reading modally and returns when it has been closed.
    static void showModal(Platform platform, const Reading &reading, QWidget *parent);

    // Asks for a file name and writes the whole document there as RTF. A failure is reported and
    // leaves any file already there as it was; Cancel writes nothing and says nothing.
    void saveAsRtf();
    // Asks for a printer and prints the selection when there is one, the whole document otherwise.
    void print();

    // What print() prints: the selection or the whole document, without the on-screen link styling.
    std::unique_ptr<QTextDocument> printableDocument() const;

    void done(int result) override;

private:
    void createControls();
    void composeDocument();

    Platform m_platform;
    Reading m_reading;
    QTextEdit *m_reportEdit = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    std::unique_ptr<ReportLinks> m_links;
};
