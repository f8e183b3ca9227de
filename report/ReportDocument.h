#pragma once
// The report: the current reading composed as rich text.
//
// frmSave composes the reading's runs (ReportRuns) into its rich text box, shows the document,
// writes it as RTF (RtfWriter) and prints it. While the window is open, modRTB shows web
// addresses in the box as links (LinkDetection) and opens one on a left-button press.

#include "Records.h"

#include <QColor>
#include <QString>

#include <array>
#include <vector>

class QTextCursor;

// What the report is made of: the current reading and the six description texts exactly as the
// viewer's boxes hold them, in tab order.
struct ReportInputs {
    numerology::Interpretation reading;
    std::array<QString, 6> descriptions;
};

struct ReportRun {
    bool bold;
    QColor color;
    QString text;
};

// The thirteen runs of the report: the red title, then six bold navy headings each followed by
// its plain black description and two line breaks.
std::vector<ReportRun> ReportRuns(const ReportInputs &inputs);

// Inserts runs at the cursor, each in Verdana 9.75 pt with its own weight and colour. CR LF
// inside a run becomes one paragraph break.
void InsertRuns(QTextCursor &cursor, const std::vector<ReportRun> &runs);

// The report's base font size, in points.
inline constexpr double kReportPointSize = 9.75;
