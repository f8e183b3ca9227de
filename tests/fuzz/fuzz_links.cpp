// Link detection on arbitrary text: spans lie inside the text, and the exact string handed to the
// browser is a web or mail address of at most 1024 characters, fully encoded (no blank, no control
// character, nothing outside ASCII), and a mail address carries no field but subject, body, cc
// and bcc.
#include "report/LinkDetection.h"

#include <QString>
#include <QUrlQuery>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckOpened(const QString &link)
{
    const auto url = safeLinkUrl(link);
    if (!url)
        return;
    Check(link.size() <= kLongestLink);
    const QString handed = url->toString(QUrl::FullyEncoded);
    for (QChar c : handed)
        Check(c.unicode() > 0x20 && c.unicode() < 0x7F);
    const bool web = handed.startsWith("http://") || handed.startsWith("https://") || handed.startsWith("ftp://");
    const bool mail = handed.startsWith("mailto:");
    Check(web || mail);
    if (mail) {
        Check(!handed.contains('#'));
        const QUrlQuery query(QUrl(handed, QUrl::StrictMode));
        for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
            const QString name = key.toLower();
            Check(name == "subject" || name == "body" || name == "cc" || name == "bcc");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const LinkSpan &span : findLinks(text)) {
        Check(span.start >= 0 && span.length > 0 && span.start + span.length <= text.size());
        CheckOpened(text.mid(span.start, span.length));
    }
    CheckOpened(text);
    return 0;
}
