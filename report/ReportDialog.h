#pragma once
// The report layer: a reading composed as rich text.
//
// ReportDialog composes the reading's runs (ReportDocument) into its rich text box, shows the
// document, writes it as RTF (RtfWriter, through the platform's checked, atomic write) and prints
// it, asking for the file and the printer through SaveAndPrintDialogs. While the dialog is open,
// ReportLinks shows web addresses in the box as links (LinkDetection) and opens one on a
// left-button press. The box, a ReportEdit, takes only plain text from outside and wraps anywhere
// while it holds a run without a blank too long for Qt's word wrapping.

#include "model/Reading.h"

#include <QDialog>

#include <memory>

class QPushButton;
class QTextDocument;
class QTextEdit;
class ReportLinks;
class SaveAndPrintDialogs;

// The report window: a reading composed as rich text, which the user can read, edit, save as an
// RTF file and print. Modal; composed afresh at every opening and discarded when closed.
class ReportDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportDialog)

public:
    ReportDialog(Reading reading, SaveAndPrintDialogs &dialogs, QWidget *parent = nullptr);
    ~ReportDialog() override;

    // Opens a report of the reading modally and returns when it has been closed.
    static void showModal(const Reading &reading, SaveAndPrintDialogs &dialogs, QWidget *parent);

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

    Reading m_reading;
    SaveAndPrintDialogs &m_dialogs;
    QTextEdit *m_reportEdit = nullptr;
    std::unique_ptr<ReportLinks> m_links;
};
