#pragma once
// The report dialog as the report tests open it: a sample reading, the Save As and Print dialogs
// faked, message boxes answered; and what a failed save says.

#include "GuiTestSupport.h"
#include "report/ReportDialog.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

inline Reading SampleInputs()
{
    Reading inputs;
    inputs.interpretation.luckyNumber = 7;
    inputs.interpretation.luckyColor = "Yellow,Brown";
    inputs.interpretation.moneyNumber = 13;
    inputs.interpretation.firstHealthIndication = 9;
    inputs.interpretation.firstHealthInfluence = 22;
    inputs.interpretation.secondHealthIndication = 13;
    inputs.descriptions = {"\nNumber text.", "\nColour text.", "\nMoney text.",
                           "\nIndication text.", "\nInfluence text.", "\nSecond text."};
    return inputs;
}

// The text of a PDF file, read by an independent reader (pdftotext); nothing where there is none.
inline std::optional<QString> PdfText(const QString &pdf)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        return std::nullopt;
    QProcess tool;
    tool.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(tool.waitForFinished(60000));
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The message of a failed save: where, and why.
inline QString SaveFailure(const QString &path, const QString &reason)
{
    return "The report could not be saved to " + QDir::toNativeSeparators(path) + ".\n" + reason;
}

class Report : public ::testing::Test {
protected:
    void Open(const Reading &inputs = SampleInputs())
    {
        report = std::make_unique<ReportDialog>(inputs, dialogs);
        report->show();
    }
    void TearDown() override
    {
        if (report)
            report->close();
        report.reset();
    }
    FakeDialogs dialogs;
    MessageBoxAnswerer messages;
    std::unique_ptr<ReportDialog> report;
    QTemporaryDir folder;
};
