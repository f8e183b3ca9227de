#pragma once
// The report: a reading composed as rich text.
//
// ReportDialog composes the reading's runs (reportRuns) into its rich text box, shows the
// document, writes it as RTF (RtfWriter, through an atomic, checked write) and prints it. While
// the dialog is open, ReportLinks shows web addresses in the box as links (LinkDetection) and
// opens one on a left-button press, and LongRunWrap keeps the box's layout linear whatever is
// pasted into it.

#include "Reading.h"

#include <QColor>
#include <QString>

#include <vector>

class QTextCursor;

struct ReportRun {
    bool bold;
    QColor color;
    QString text;
};

// The thirteen runs of the report: the red title, then six bold navy headings each followed by
// its plain black description and two line breaks.
std::vector<ReportRun> reportRuns(const Reading &reading);

// Inserts runs at the cursor, each in Verdana 9.75 pt with its own weight and colour. CR LF
// inside a run becomes one paragraph break.
void insertRuns(QTextCursor &cursor, const std::vector<ReportRun> &runs);

// The report's base font size, in points.
inline constexpr double kReportPointSize = 9.75;
