#pragma once

#include <QString>

#include <string>

// The paper a printout takes by the convention of the user's system, which Qt does not read (its
// PDF pages are A4 unless told otherwise).
namespace papersize {

// The system's paper as its setting names it, and where that setting is.
struct Convention {
    std::string name;   // in lower case: "a4", "letter", "legal", ...; empty where the system says none
    QString source;     // for a message: "PAPERSIZE", "/etc/papersize", "the regional settings"; a file's
                        // name as the system keeps it (filenames.h), to be shown escaped
};

// On Linux libpaper's: the PAPERSIZE variable when it is set and not empty; otherwise the first
// word of the file the PAPERCONF variable names, or of /etc/papersize, after any blanks and
// comments (from "#" to the end of the line). On Windows the user's regional paper size.
Convention systemConvention();

} // namespace papersize
