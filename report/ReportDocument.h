#pragma once

#include "model/Reading.h"

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

// Inserts runs at the cursor, each in the report's base font and size with its own weight and
// colour. A line break inside a run ends a paragraph.
void insertRuns(QTextCursor &cursor, const std::vector<ReportRun> &runs);
