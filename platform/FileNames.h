#pragma once
// File names as the system keeps them, held in a QString with nothing lost. On Windows a name is
// UTF-16, which a QString holds as it is, lone surrogates too. On Linux a name is bytes that need
// not be UTF-8, and Qt 6.4 gives U+FFFD for any that are not (QFile::decodeName as well as
// QString::fromUtf8), which names another file: here each such byte is kept as a lone surrogate,
// U+DC80 to U+DCFF (U+DC00 + the byte), which no UTF-8 text decodes to, and is given back where the
// name reaches the system. Qt's own file classes would turn it into U+FFFD again: every name, the
// user's and the home folder's alike, reaches the system through these functions and SafeFiles.

#include <QByteArrayView>
#include <QString>

#include <optional>

class QFile;

namespace filenames {

// A Linux name: its UTF-8 text, each byte that is not part of any kept as U+DC00 + byte.
// (This and encoded() are built on Linux only.)
QString decoded(QByteArrayView name);

// The bytes of a name decoded() made, as Linux's calls take it.
QByteArray encoded(const QString &name);

// The byte a lone surrogate of a name stands for, where it stands for one (on Linux).
std::optional<unsigned char> strayByte(char16_t lone);

// Opens the file at name for reading, following links and waiting on a FIFO as any program's input
// does. Empty on success, otherwise the system's reason.
QString openForReading(QFile &file, const QString &name);

// Whether a folder is at name, or a link to one.
bool isFolder(const QString &name);

} // namespace filenames
