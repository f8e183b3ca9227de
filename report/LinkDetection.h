#pragma once
// Which text in the report counts as a web address, and which of those may be opened.

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

struct LinkSpan {
    qsizetype start;
    qsizetype length;
};

// The addresses in a paragraph: http://, https://, ftp://, mailto: and www. forms, each running
// to the next blank or quote, without trailing punctuation such as a full stop or a bracket.
QList<LinkSpan> findLinks(const QString &text);

// The longest address that is opened.
inline constexpr qsizetype kLongestLink = 1024;

// The address to hand to the browser for a link's text: http, https and ftp addresses as they
// stand, "www." addresses as http, and mailto addresses with only their subject, body, cc and bcc
// fields. Anything else (file:, javascript:, data:, plain paths),
// and any link longer than 1024 characters, is not opened.
std::optional<QUrl> safeLinkUrl(const QString &link);
