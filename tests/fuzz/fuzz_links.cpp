// Link detection on arbitrary text: spans lie inside the text, and nothing but web and mail
// addresses of at most 1024 characters is ever offered for opening.
#include "LinkDetection.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const LinkSpan &span : FindLinks(text)) {
        Check(span.start >= 0 && span.length > 0 && span.start + span.length <= text.size());
        const QString link = text.mid(span.start, span.length);
        if (const auto url = SafeLinkUrl(link)) {
            const QString scheme = url->scheme().toLower();
            Check(scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto");
            Check(link.size() <= kLongestLink);
        }
    }
    if (const auto url = SafeLinkUrl(text)) {
        const QString scheme = url->scheme().toLower();
        Check(scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto");
    }
    return 0;
}
