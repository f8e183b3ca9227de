#include "csv/PeopleColumns.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <utility>

namespace peoplecolumns {

namespace {

// The usual names of the columns, as key() writes them.
struct UsualName {
    Column column;
    QLatin1String key;
};
constexpr UsualName kUsualNames[] = {
    {First, QLatin1String("first")},        {First, QLatin1String("firstname")},   {First, QLatin1String("givenname")},
    {First, QLatin1String("forename")},     {Middle, QLatin1String("middle")},     {Middle, QLatin1String("middlename")},
    {Middle, QLatin1String("middlenames")}, {Last, QLatin1String("last")},         {Last, QLatin1String("lastname")},
    {Last, QLatin1String("surname")},       {Last, QLatin1String("familyname")},   {Born, QLatin1String("born")},
    {Born, QLatin1String("birthdate")},     {Born, QLatin1String("dateofbirth")},  {Born, QLatin1String("dob")},
    {Born, QLatin1String("birthday")},      {Time, QLatin1String("time")},         {Time, QLatin1String("birthtime")},
    {Time, QLatin1String("timeofbirth")},   {Time, QLatin1String("hour")},
};

constexpr std::array<Column, 3> kNeeded = {First, Last, Born};

// A name as it is compared: in small letters, without blanks, "_", "-" and ".".
QString key(const QString &name)
{
    QString key;
    key.reserve(name.size());
    for (const QChar c : name) {
        if (!c.isSpace() && c != u'_' && c != u'-' && c != u'.')
            key += c.toLower();
    }
    return key;
}

QString columnName(int column)
{
    return QLatin1Char('\'') + kColumnNames[column] + QLatin1Char('\'');
}

// "'a'", "'a' or 'b'", "'a', 'b' or 'c'".
QString either(const QStringList &names)
{
    if (names.size() < 2)
        return names.join(QString());
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + names.back();
}

struct Match {
    std::array<qsizetype, ColumnCount> columns{};
    int found = 0; // columns found, each once
    QString error;
};

Match match(const QStringList &fields, const Names &names, QString (*quoted)(const QString &))
{
    Match match;
    match.columns.fill(-1);
    std::array<QString, ColumnCount> given;
    for (int column = 0; column < ColumnCount; ++column)
        given[column] = key(names[column]);
    QStringList shown;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString name = key(fields[i]);
        shown << quoted(fields[i]);
        if (name.isEmpty())
            continue;
        // A name --columns gives, else a usual name of a column --columns does not give.
        int column = int(std::find(given.begin(), given.end(), name) - given.begin());
        for (const UsualName &usual : kUsualNames) {
            if (column == ColumnCount && usual.key == name && given[usual.column].isEmpty())
                column = usual.column;
        }
        if (column == ColumnCount)
            continue;
        if (match.columns[column] >= 0) {
            match.error = QStringLiteral("the header row names the column %1 twice: %2 and %3 ('--columns %4=NAME' "
                                         "chooses one)")
                              .arg(columnName(column), quoted(fields[match.columns[column]]), quoted(fields[i]),
                                   kColumnNames[column]);
            return match;
        }
        match.columns[column] = i;
        ++match.found;
        shown.back() += QStringLiteral(" (%1)").arg(kColumnNames[column]);
    }
    QStringList missing;
    QStringList mapping;
    for (const Column column : kNeeded) {
        if (match.columns[column] < 0) {
            missing << columnName(column);
            mapping << kColumnNames[column] + QStringLiteral("=NAME");
        }
    }
    if (!missing.isEmpty())
        match.error = QStringLiteral("the header row has no column %1 ('--columns %2' names %3); its columns are %4")
                          .arg(either(missing), mapping.join(QLatin1Char(',')),
                               missing.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"),
                               shown.join(QStringLiteral(", ")));
    return match;
}

} // namespace

QString readNames(const QString &given, Names &names, QString (*quoted)(const QString &))
{
    names = {};
    for (const QString &part : given.split(QLatin1Char(','))) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        const QString column = part.left(equals).trimmed().toLower();
        const QString name = part.mid(equals + 1).trimmed();
        if (equals < 0 || key(name).isEmpty())
            return QStringLiteral("%1 is not COLUMN=NAME").arg(quoted(part));
        const auto *known = std::find(kColumnNames.begin(), kColumnNames.end(), column);
        if (known == kColumnNames.end())
            return QStringLiteral("%1 is not a column: first, middle, last, born or time").arg(quoted(column));
        const int at = int(known - kColumnNames.begin());
        if (!names[at].isEmpty())
            return QStringLiteral("the column %1 is given twice").arg(columnName(at));
        for (int other = 0; other < ColumnCount; ++other) {
            if (!names[other].isEmpty() && key(names[other]) == key(name))
                return QStringLiteral("%1 is given for both %2 and %3").arg(quoted(name), columnName(other), columnName(at));
        }
        names[at] = name;
    }
    return {};
}

char separatorNamed(const QString &given)
{
    static const std::pair<QLatin1String, char> kNamed[] = {
        {QLatin1String("comma"), ','}, {QLatin1String("semicolon"), ';'}, {QLatin1String("tab"), '\t'},
        {QLatin1String(","), ','},     {QLatin1String(";"), ';'},         {QLatin1String("\t"), '\t'}};
    for (const auto &[name, separator] : kNamed) {
        if (given == name)
            return separator;
    }
    return 0;
}

Header readHeader(CsvReader &reader, const Names &names, char separator, QString (*quoted)(const QString &))
{
    Header header;
    std::optional<Match> best;
    CsvReader::Record row;
    const QByteArray candidates = separator != 0 ? QByteArray(1, separator)
                                                 : QByteArray(kSeparators.data(), qsizetype(kSeparators.size()));
    for (const char candidate : candidates) {
        reader.setSeparator(candidate);
        if (!reader.preview(row))
            return header;
        header.read = true;
        header.line = row.line;
        Match found;
        found.error = row.error;
        if (found.error.isEmpty())
            found = match(row.fields, names, quoted);
        if (found.error.isEmpty()) {
            reader.next(row);
            header.fields = row.fields.size();
            header.columns = found.columns;
            return header;
        }
        // What is said is said of the separator that finds the most columns, the first of them.
        if (!best || found.found > best->found)
            best = found;
    }
    header.error = best->error;
    return header;
}

} // namespace peoplecolumns
