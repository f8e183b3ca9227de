#include "csv/SpreadsheetDates.h"

#include <QStringView>

#include <array>

namespace spreadsheetdates {

namespace {

const QString kDateForm = QStringLiteral(
    "not a date D/M/YYYY, M/D/YYYY or YYYY/M/D (with '/', '.' or '-'), then optionally a time H:MM or H:MM:SS "
    "(with AM or PM or without)");
const QString kTimeForm = QStringLiteral("not a time H, H:MM or H:MM:SS (with AM or PM or without)");

// Reads a text one piece at a time. Only ASCII digits are digits: a spreadsheet writes no others.
class Cursor {
public:
    explicit Cursor(QStringView text)
        : m_text(text.trimmed())
    {
    }
    QStringView digits()
    {
        const qsizetype from = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= u'0' && m_text[m_at] <= u'9')
            ++m_at;
        return m_text.sliced(from, m_at - from);
    }
    bool take(QChar c)
    {
        if (m_at >= m_text.size() || m_text[m_at] != c)
            return false;
        ++m_at;
        return true;
    }
    QChar peek() const { return m_at < m_text.size() ? m_text[m_at] : QChar(); }
    bool takeBlanks()
    {
        const qsizetype from = m_at;
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
        return m_at > from;
    }
    QStringView rest() const { return m_text.sliced(m_at).trimmed(); }

private:
    QStringView m_text;
    qsizetype m_at = 0;
};

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// Reads a time into "HH:MM:SS". Empty when it reads, otherwise why not.
QString readTime(QStringView given, QString &time)
{
    Cursor cursor(given);
    const QStringView hour = cursor.digits();
    QStringView minute = u"00";
    QStringView second = u"00";
    if (hour.isEmpty() || hour.size() > 2)
        return kTimeForm;
    if (cursor.take(u':')) {
        minute = cursor.digits();
        if (minute.size() != 2 || (cursor.take(u':') && (second = cursor.digits()).size() != 2))
            return kTimeForm;
    }
    const QStringView half = cursor.rest();
    const bool am = half.compare(u"am", Qt::CaseInsensitive) == 0;
    const bool pm = half.compare(u"pm", Qt::CaseInsensitive) == 0;
    if (!half.isEmpty() && !am && !pm)
        return kTimeForm;
    int hours = hour.toInt();
    if (am || pm) {
        if (hours < 1 || hours > 12)
            return QStringLiteral("an hour with AM or PM must be from 1 to 12");
        hours = hours % 12 + (pm ? 12 : 0);
    }
    time = twoDigits(hours) + u':' + minute.toString() + u':' + second.toString();
    return {};
}

} // namespace

std::optional<Order> orderNamed(const QString &given)
{
    static const std::pair<QLatin1String, Order> kNamed[] = {
        {QLatin1String("dmy"), Order::Dmy}, {QLatin1String("mdy"), Order::Mdy}, {QLatin1String("ymd"), Order::Ymd}};
    for (const auto &[name, order] : kNamed) {
        if (given.compare(name, Qt::CaseInsensitive) == 0)
            return order;
    }
    return std::nullopt;
}

Order orderOf(const QString &format)
{
    // Where each of the day, the month and the year first stands; text between quotes is literal.
    std::array<qsizetype, 3> at = {-1, -1, -1};
    bool literal = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            literal = !literal;
        if (literal || (c != u'd' && c != u'M' && c != u'y'))
            continue;
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        // "ddd" is the day's name, which says nothing; "MMM" is the month's, and no date of
        // numbers follows the format.
        if (c == u'M' && run > 2)
            return Order::None;
        qsizetype &first = at[c == u'd' ? 0 : c == u'M' ? 1 : 2];
        if (first < 0 && (c != u'd' || run <= 2))
            first = i;
        i += run - 1;
    }
    const auto [day, month, year] = at;
    if (day < 0 || month < 0 || year < 0)
        return Order::None;
    if (day < month && month < year)
        return Order::Dmy;
    if (month < day && day < year)
        return Order::Mdy;
    if (year < month && month < day)
        return Order::Ymd;
    return Order::None;
}

QString toIso(const QString &date, const QString &time, Order order, QString &iso)
{
    QString clock;
    if (!time.trimmed().isEmpty()) {
        if (const QString why = readTime(time, clock); !why.isEmpty())
            return why;
    }
    Cursor cursor(date);
    const QStringView first = cursor.digits();
    const QChar separator = cursor.peek();
    if (first.size() == 4 && separator == u'-') {
        iso = date;
        if (clock.isEmpty())
            return {};
        if (date.size() > 10)
            return QStringLiteral("a time is given both with the date and in the time column");
        iso += u'T' + clock;
        return {};
    }
    if (separator != u'/' && separator != u'.' && separator != u'-')
        return kDateForm;
    cursor.take(separator);
    const QStringView second = cursor.digits();
    if (!cursor.take(separator))
        return kDateForm;
    const QStringView third = cursor.digits();
    if (!cursor.rest().isEmpty()) {
        if (!cursor.takeBlanks())
            return kDateForm;
        if (!clock.isEmpty())
            return QStringLiteral("a time is given both with the date and in the time column");
        if (const QString why = readTime(cursor.rest(), clock); !why.isEmpty())
            return why;
    }
    const auto isShort = [](QStringView part) { return !part.isEmpty() && part.size() <= 2; };
    QStringView year;
    int day = 0;
    int month = 0;
    if (first.size() == 4 && isShort(second) && isShort(third)) {
        year = first;
        month = second.toInt();
        day = third.toInt();
    } else if (isShort(first) && isShort(second) && third.size() == 4) {
        year = third;
        const int a = first.toInt();
        const int b = second.toInt();
        const bool ordered = order == Order::Dmy || order == Order::Mdy;
        const bool eitherWay = a != b && a >= 1 && a <= 12 && b >= 1 && b <= 12;
        const bool dayFirst = order == Order::Dmy || (!ordered && a > 12);
        if (!ordered && eitherWay)
            return QStringLiteral("the day and the month could be either way round: give '--date-order dmy' (day first) "
                                  "or '--date-order mdy' (month first)");
        day = dayFirst ? a : b;
        month = dayFirst ? b : a;
    } else if (isShort(first) && isShort(second) && isShort(third)) {
        const QStringView shortYear = first.size() == 2 && order == Order::Ymd ? first : third;
        return QStringLiteral("the year '%1 could be 19%1 or 20%1: show years with four digits")
            .arg(twoDigits(shortYear.toInt()));
    } else {
        return kDateForm;
    }
    iso = year.toString() + u'-' + twoDigits(month) + u'-' + twoDigits(day);
    if (!clock.isEmpty())
        iso += u'T' + clock;
    return {};
}

} // namespace spreadsheetdates
