#include "app/UpdateReminder.h"

#include "model/WebPages.h"
#include "platform/SettingsStore.h"
#include "widgets/Messages.h"

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kEntry = QStringLiteral("Duration");
constexpr qint64 kQuietDays = 14;
// The stored date's form: the same under every locale.
const QString kIsoDate = QStringLiteral("yyyy-MM-dd");

// The locale's short date format with its year widened to four digits, as earlier versions wrote.
QString widenedShortFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

// The year of a two-digit year yy in the century that puts it nearest to today.
int nearestCenturyYear(int yy, int todayYear)
{
    int year = todayYear - todayYear % 100 + yy;
    if (year - todayYear > 50)
        year -= 100;
    else if (todayYear - year > 50)
        year += 100;
    return year;
}

} // namespace

QString UpdateReminder::dateText(QDate date)
{
    return date.toString(kIsoDate);
}

std::optional<QDate> UpdateReminder::readDate(const QString &text, const QLocale &locale, QDate today)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const QDate iso = QDate::fromString(trimmed, kIsoDate); iso.isValid())
        return iso;
    QDate date = locale.toDate(trimmed, widenedShortFormat(locale));
    bool twoDigitYear = date.isValid() && date.year() < 100;
    if (!date.isValid()) {
        date = locale.toDate(trimmed, locale.dateFormat(QLocale::ShortFormat));
        twoDigitYear = date.isValid();
    }
    if (!date.isValid())
        return std::nullopt;
    if (twoDigitYear) {
        date = QDate(nearestCenturyYear(date.year() % 100, today.year()), date.month(), date.day());
        if (!date.isValid())
            return std::nullopt;
    }
    return date;
}

void UpdateReminder::run(QDate today, const QLocale &locale)
{
    const auto stored = readDate(m_settings.read(kSection, kEntry), locale, today);
    if (!stored) {
        m_settings.write(kSection, kEntry, dateText(today));
        return;
    }
    const qint64 days = today.daysTo(*stored);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;
    // The date is stored before the question: a question whose date cannot be kept would be
    // asked again at every start, so it is not asked at all.
    m_settings.write(kSection, kEntry, dateText(today));
    if (!m_settings.flush())
        return;
    if (askYesNo(question))
        webpages::openDownloadPage();
}
