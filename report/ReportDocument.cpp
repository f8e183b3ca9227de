#include "report/ReportDocument.h"

#include "model/Product.h"
#include "widgets/Theme.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

const QString kParagraphEnd = QStringLiteral("\n\n");
const QColor kHeadingNavy(0, 0, 128);
const QColor kTextBlack(0, 0, 0);
constexpr qsizetype kTitleIndent = 28;

} // namespace

std::vector<ReportRun> reportRuns(const Reading &reading)
{
    std::vector<ReportRun> runs;
    runs.reserve(1 + 2 * kResults.size());
    runs.push_back(
        {true, theme::kRed, QString(kTitleIndent, QLatin1Char(' ')) + kReadingTitle + kParagraphEnd});
    for (const ResultInfo &info : kResults) {
        runs.push_back({true, kHeadingNavy, info.reportHeading + reading.valueText(info.result)});
        runs.push_back({false, kTextBlack, reading.description(info.result) + kParagraphEnd});
    }
    return runs;
}

void insertRuns(QTextCursor &cursor, const std::vector<ReportRun> &runs)
{
    for (const ReportRun &run : runs) {
        QTextCharFormat format;
        format.setFontFamilies({theme::kFontFamily});
        format.setFontPointSize(theme::kLargePoints);
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(run.color);
        cursor.insertText(run.text, format);
    }
}

void composeReport(QTextDocument &document, const Reading &reading)
{
    document.setDefaultFont(theme::font(theme::Plain, theme::kLargePoints));
    QTextOption wrapping = document.defaultTextOption();
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrapping);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    insertRuns(cursor, reportRuns(reading));
    document.setUndoRedoEnabled(undo);
}

QString reportText(const Reading &reading)
{
    QString text;
    for (const ReportRun &run : reportRuns(reading))
        text += run.text;
    return text;
}

std::unique_ptr<QTextDocument> printableReport(const QTextDocument &report, const QTextDocumentFragment &part)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(report.defaultFont());
    document->setDefaultTextOption(report.defaultTextOption());
    QTextCursor(document.get()).insertFragment(part.isEmpty() ? QTextDocumentFragment(&report) : part);
    return document;
}

void printReport(const QTextDocument &printable, QPrinter &printer)
{
    printer.setDocName(kReadingTitle);
    printer.setPrintRange(QPrinter::AllPages);
    printable.print(&printer);
}

void printReport(const QTextDocument &printable, QPdfWriter &writer)
{
    constexpr int kHighResolution = 1200;
    writer.setTitle(kReadingTitle);
    writer.setResolution(kHighResolution);
    printable.print(&writer);
}
