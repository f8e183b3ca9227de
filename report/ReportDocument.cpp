#include "report/ReportDocument.h"

#include "model/Product.h"
#include "widgets/Theme.h"

#include <QTextCharFormat>
#include <QTextCursor>

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
