#pragma once
// The program's only contact with the world outside its windows: the five web pages and the
// update reminder.

#include "Platform.h"

#include <QDate>
#include <QLocale>

#include <optional>

// The publisher's pages. A distributor changes these addresses and nothing else.
namespace pages {
inline const QString kOnlineHelp = QStringLiteral("https://www.example.com/larkspire/help.html");
inline const QString kHomePage = QStringLiteral("https://www.example.com/");
inline const QString kDownloadPage = QStringLiteral("https://www.example.com/larkspire/download.html");
inline const QString kCoBrandPage = QStringLiteral("https://help.example.com/co-brand.html");
inline const QString kFullBrandPage = QStringLiteral("https://help.example.com/fully-branded.html");
} // namespace pages

// The two offers shown by the promotional labels of the input form, the viewer and the report.
inline const QString kCoBrandOffer = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
    "link here. See \"Help\" for details.    Click Here for more info on co-branding.");
inline const QString kFullBrandOffer = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
    "branded for your website. Click here for more details.");

// Each hands its page to the browser opener and returns at once; the outcome is not examined.
void OpenOnlineHelp(BrowserOpener &browser);
void OpenHomePage(BrowserOpener &browser);
void OpenDownloadPage(BrowserOpener &browser);
void OpenCoBrandPage(BrowserOpener &browser);
void OpenFullBrandPage(BrowserOpener &browser);

// Asks, at most once in fifteen days, whether to look for a newer version; on Yes opens the
// download page. Called first when the input form loads.
void UpdateReminder(Platform &platform);

// The question the reminder asks; one carriage return alone separates its two lines.
inline const QString kUpdateQuestion = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");

// The reminder's stored date as text: ISO 8601 (2026-12-07), which reads back the same under any
// locale.
QString ReminderDateText(QDate date);

// Reads a stored date: the ISO form written above, or else the form older versions wrote, the
// locale's short date format (with its year widened to four digits, or a two-digit year taken in
// the century nearest to today). Nothing when the text does not read as a date.
std::optional<QDate> ReadReminderDate(const QString &text, const QLocale &locale, QDate today);
