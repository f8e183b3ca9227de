#pragma once

#include <QString>

#include <optional>

class QPrinter;
class QWidget;

// The Save As and Print dialogs of the report. On Windows both are the system's own, which no
// test can answer from inside the process; the report asks through this interface, the program
// passes QtSaveAndPrintDialogs, and tests pass a fake that answers as scripted.
class SaveAndPrintDialogs {
public:
    virtual ~SaveAndPrintDialogs() = default;

    struct SaveRequest {
        QString caption;
        QString filter;        // e.g. "Rich Text Format (*.rtf)"
        QString defaultSuffix; // appended when the typed name has none
    };
    // The chosen path, or nothing when the user cancelled. Asks before replacing a file. Offers no
    // file name and remembers nothing: each time it opens where a fresh dialog opens.
    virtual std::optional<QString> askSaveFileName(QWidget *parent, const SaveRequest &request) = 0;
    // Lets the user choose and set up the printer; false when cancelled. The page-range choice
    // is disabled; the selection choice is offered and preselected when hasSelection is true.
    virtual bool askPrinter(QWidget *parent, QPrinter &printer, bool hasSelection) = 0;
};

// Qt's file and print dialogs.
class QtSaveAndPrintDialogs final : public SaveAndPrintDialogs {
public:
    std::optional<QString> askSaveFileName(QWidget *parent, const SaveRequest &request) override;
    bool askPrinter(QWidget *parent, QPrinter &printer, bool hasSelection) override;
};
