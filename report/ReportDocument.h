#pragma once

#include "model/Reading.h"

#include <QColor>
#include <QString>

#include <memory>
#include <vector>

class QPdfWriter;
class QPrinter;
class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;

struct ReportRun {
    bool bold;
    QColor color;
    QString text;
};

// The thirteen runs of the report: the red title, then six bold navy headings each followed by
// its plain black description and two line breaks.
std::vector<ReportRun> reportRuns(const Reading &reading);

// Inserts runs at the cursor, each in the report's base font and size with its own weight and
// colour. A line break inside a run ends a paragraph.
void insertRuns(QTextCursor &cursor, const std::vector<ReportRun> &runs);

// Sets a document up as the report window shows it (the report's font, wrapped as a text box
// wraps) and fills it with the reading's runs. The composition is no edit: undo stops at it. The
// report window and the command line both compose their report so, which makes the RTF each
// writes the same bytes.
void composeReport(QTextDocument &document, const Reading &reading);

// The words of the composed report as plain text, as the document holds them ("\n" line ends).
QString reportText(const Reading &reading);

// What a print of a report lays out: a part of it (a selection), or the whole when the part is
// empty, in a document of its own with the report's font and wrapping and without the on-screen
// link styling.
std::unique_ptr<QTextDocument> printableReport(const QTextDocument &report, const QTextDocumentFragment &part);

// Prints a printable report, every page, as a job named after the reading's title, on a printer
// made with QPrinter::HighResolution.
void printReport(const QTextDocument &printable, QPrinter &printer);

// Prints a printable report as the printer above prints it into a PDF: every page, at
// QPrinter::HighResolution's 1200 dots an inch, titled after the reading.
void printReport(const QTextDocument &printable, QPdfWriter &writer);
