#include "ReportDocument.h"

#include <QTextCharFormat>
#include <QTextCursor>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");
const QColor kTitleRed(255, 0, 0);
const QColor kHeadingNavy(0, 0, 128);
const QColor kTextBlack(0, 0, 0);

QString fromView(std::string_view value)
{
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

} // namespace

std::vector<ReportRun> reportRuns(const Reading &reading)
{
    const numerology::Interpretation &r = reading.interpretation;
    const QString headings[6] = {
        QStringLiteral("Lucky Number :-") + QString::number(r.luckyNumber),
        QStringLiteral("Lucky Color :-") + fromView(r.luckyColor),
        QStringLiteral("Money Number :-") + QString::number(r.moneyNumber),
        QStringLiteral("First Health Indication :-") + QString::number(r.firstHealthIndication),
        QStringLiteral("First Health Influence :-") + QString::number(r.firstHealthInfluence),
        QStringLiteral("Second Health Indication :-") + QString::number(r.secondHealthIndication),
    };
    std::vector<ReportRun> runs;
    runs.reserve(13);
    runs.push_back({true, kTitleRed, QString(28, QLatin1Char(' ')) + QStringLiteral("Larkspire Interpretation") + kLineBreak + kLineBreak});
    for (std::size_t i = 0; i < 6; ++i) {
        runs.push_back({true, kHeadingNavy, headings[i]});
        runs.push_back({false, kTextBlack, reading.descriptions[i] + kLineBreak + kLineBreak});
    }
    return runs;
}

void insertRuns(QTextCursor &cursor, const std::vector<ReportRun> &runs)
{
    for (const ReportRun &run : runs) {
        QTextCharFormat format;
        format.setFontFamilies({QStringLiteral("Verdana")});
        format.setFontPointSize(kReportPointSize);
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(run.color);
        cursor.insertText(run.text, format);
    }
}
