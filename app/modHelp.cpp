#include "modHelp.h"

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kEntry = QStringLiteral("Duration");
constexpr qint64 kQuietDays = 14;
// The stored date's form: the same under every locale.
const QString kIsoDate = QStringLiteral("yyyy-MM-dd");

QString WidenedShortFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

// The year of a two-digit year yy in the century that puts it nearest to today.
int NearestCenturyYear(int yy, int todayYear)
{
    int year = todayYear - todayYear % 100 + yy;
    if (year - todayYear > 50)
        year -= 100;
    else if (todayYear - year > 50)
        year += 100;
    return year;
}

} // namespace

void OpenOnlineHelp(BrowserOpener &browser)
{
    browser.open(pages::kOnlineHelp);
}

void OpenHomePage(BrowserOpener &browser)
{
    browser.open(pages::kHomePage);
}

void OpenDownloadPage(BrowserOpener &browser)
{
    browser.open(pages::kDownloadPage);
}

void OpenCoBrandPage(BrowserOpener &browser)
{
    browser.open(pages::kCoBrandPage);
}

void OpenFullBrandPage(BrowserOpener &browser)
{
    browser.open(pages::kFullBrandPage);
}

QString ReminderDateText(QDate date)
{
    return date.toString(kIsoDate);
}

std::optional<QDate> ReadReminderDate(const QString &text, const QLocale &locale, QDate today)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const QDate iso = QDate::fromString(trimmed, kIsoDate); iso.isValid())
        return iso;
    QDate date = locale.toDate(trimmed, WidenedShortFormat(locale));
    bool twoDigitYear = date.isValid() && date.year() < 100;
    if (!date.isValid()) {
        date = locale.toDate(trimmed, locale.dateFormat(QLocale::ShortFormat));
        twoDigitYear = date.isValid();
    }
    if (!date.isValid())
        return std::nullopt;
    if (twoDigitYear) {
        date = QDate(NearestCenturyYear(date.year() % 100, today.year()), date.month(), date.day());
        if (!date.isValid())
            return std::nullopt;
    }
    return date;
}

void UpdateReminder(Platform &platform)
{
    const QLocale locale = platform.clock.locale();
    const QDate today = platform.clock.today();
    const auto stored = ReadReminderDate(platform.settings.read(kSection, kEntry), locale, today);
    if (!stored) {
        // A first run, or a value that does not read as a date: remember today, ask nothing.
        platform.settings.write(kSection, kEntry, ReminderDateText(today));
        return;
    }
    const qint64 days = today.daysTo(*stored);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;
    const bool yes = platform.messages.askYesNo(kUpdateQuestion, kApplicationTitle);
    platform.settings.write(kSection, kEntry, ReminderDateText(today));
    if (yes)
        OpenDownloadPage(platform.browser);
}
