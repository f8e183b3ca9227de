#pragma once

#include "Platform.h"
#include "ReportDocument.h"

#include <QDialog>

#include <memory>

class LinkLabel;
class QPushButton;
class QTextDocument;
class QTextEdit;

// The report window: the current reading composed as rich text, which the user can read, edit,
// save as an RTF file and print. Modal; composed afresh at every opening.
class frmSave final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSave)

public:
    frmSave(Platform platform, ReportInputs inputs, QWidget *parent = nullptr);
    ~frmSave() override;

    // Opens a report window modally and returns when it has been closed.
    static void ShowModal(Platform platform, const ReportInputs &inputs, QWidget *parent);

    void cmdSave_Click();
    void cmdPrint_Click();

    // What Print prints: the selection when there is one, the whole document otherwise, without
    // the on-screen link styling.
    std::unique_ptr<QTextDocument> PrintableDocument() const;

    QTextEdit *RTB = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdSave = nullptr;
    LinkLabel *Label14 = nullptr;
    LinkLabel *Label1 = nullptr;
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;

    void done(int result) override;

private:
    void createControls();
    void Form_Load();
    void Form_Unload();

    Platform m_platform;
    ReportInputs m_inputs;
};
