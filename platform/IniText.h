#pragma once
// The settings file as text: "[Section]" lines and "key=value" lines, read and changed without
// ever decoding a value into anything but text. Written by hand rather than with QSettings, which
// writes the whole file anew in its own form. Values that QSettings wrote read back as they were
// written; "@Variant(...)" and "@ByteArray(...)" values are never interpreted, only kept. Every
// line the program does not change is kept byte for byte, a UTF-8 byte-order mark at the start
// included. Reading takes no memory beyond the value it returns.
// A file that starts with a UTF-16 byte-order mark (either byte order) is read as UTF-16 and
// changed in UTF-16, taking a UTF-8 copy of it while it is read or changed. A file is changed
// only where every byte but those of the changed line can be written back exactly as it was; a
// file whose encoding cannot be told for certain (NUL bytes without a UTF-16 mark, UTF-32) is
// neither read nor changed.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace initext {

// The text of key in section, with QSettings' quoting and backslash escapes undone; empty text
// when there is no such entry.
QString value(const QByteArray &contents, QStringView section, QStringView key);

// The contents with key in section set to value: the entry's line is replaced where it exists,
// otherwise added at the top of the section, and the section is added at the end where it is
// missing. Every other byte stays as it was; nothing where that cannot be (an odd last byte or a
// lone surrogate of a UTF-16 file, an encoding that cannot be told).
std::optional<QByteArray> withValue(const QByteArray &contents, QStringView section, QStringView key,
                                    const QString &value);

} // namespace initext
