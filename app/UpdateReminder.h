#pragma once
// The update reminder: at most once in fifteen days, before any window shows, asks whether to
// look for a newer version and on Yes opens the download page. Its one stored value, the date of
// the first run or of the last question, is the program's only setting.

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

class SettingsStore;

class UpdateReminder final {
public:
    explicit UpdateReminder(SettingsStore &settings)
        : m_settings(settings)
    {
    }

    // Reads the stored date; when it lies 15 or more days from today either way (a clock set back
    // counts too), stores today and then asks, unless today could not be stored (a settings file
    // that cannot be written asks nothing). A first run, or a value that is not a date, stores
    // today and asks nothing. The locale reads dates that
    // earlier versions stored in its short form.
    void run(QDate today, const QLocale &locale);

    // The question, on two lines; "maybe" is one word.
    static inline const QString question = QStringLiteral(
        "There maybe an update to this software available\nDo you want to check for an update?");

    // The stored date as text: ISO 8601 (2026-12-07), which reads back the same under any locale.
    static QString dateText(QDate date);

    // Reads a stored date: the ISO form, or else the form older versions wrote, the locale's short
    // date format (its year widened to four digits, or a two-digit year taken in the century
    // nearest to today). Nothing when the text does not read as a date.
    static std::optional<QDate> readDate(const QString &text, const QLocale &locale, QDate today);

private:
    SettingsStore &m_settings;
};
