#include "report/LinkDetection.h"

#include <QRegularExpression>
#include <QUrlQuery>

namespace {

const QRegularExpression &linkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("(?:\\b(?:https?|ftp)://|\\bmailto:|\\bwww\\.)[^\\s<>\"]+"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

bool isTrailingPunctuation(QChar c)
{
    return QStringLiteral(".,;:!?)]}'").contains(c);
}

// A mail address keeps only the fields a reader expects a link to fill in. Others, such as
// "attach", make some mail programs attach a file of the user's to the new message.
QUrl withMailFieldsOnly(QUrl url)
{
    if (!url.hasQuery() && !url.hasFragment())
        return url;
    const QUrlQuery query(url);
    QUrlQuery kept;
    for (const auto &[key, value] : query.queryItems(QUrl::FullyEncoded)) {
        const QString name = QUrl::fromPercentEncoding(key.toLatin1()).toLower();
        if (name == u"subject" || name == u"body" || name == u"cc" || name == u"bcc")
            kept.addQueryItem(key, value);
    }
    url.setQuery(kept.isEmpty() ? QString() : kept.query(QUrl::FullyEncoded));
    url.setFragment(QString());
    return url;
}

} // namespace

QList<LinkSpan> findLinks(const QString &text)
{
    QList<LinkSpan> spans;
    auto matches = linkPattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        qsizetype length = match.capturedLength();
        const qsizetype start = match.capturedStart();
        while (length > 0 && isTrailingPunctuation(text[start + length - 1]))
            --length;
        const QString candidate = text.mid(start, length);
        // A bare scheme or "www." with nothing after it is no address.
        if (candidate.endsWith(QLatin1String("//"), Qt::CaseInsensitive) || candidate.endsWith(QLatin1Char(':'))
            || candidate.compare(QLatin1String("www."), Qt::CaseInsensitive) == 0)
            continue;
        if (length > 0)
            spans.append({start, length});
    }
    return spans;
}

std::optional<QUrl> safeLinkUrl(const QString &link)
{
    if (link.isEmpty() || link.size() > kLongestLink)
        return std::nullopt;
    QString address = link;
    if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        address.prepend(QStringLiteral("http://"));
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return url.path().isEmpty() ? std::nullopt : std::optional<QUrl>(withMailFieldsOnly(url));
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("ftp"))
        return std::nullopt;
    if (url.host().isEmpty())
        return std::nullopt;
    return url;
}
