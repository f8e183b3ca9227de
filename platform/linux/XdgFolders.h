#pragma once
// The user's folders on Linux, by the XDG Base Directory rules: a variable that names a
// folder counts only when it holds an absolute path, and the home folder is HOME when it is an
// absolute path, otherwise the user's entry in the password database.

#include <QString>

namespace xdg {

// The folder named by a base-directory variable (XDG_CONFIG_HOME, XDG_CACHE_HOME) when it is an
// absolute path, otherwise its default under the user's home folder (".config", ".cache"); empty
// when the user has no home folder either.
QString baseDirectory(const char *variable, const char *underHome);

} // namespace xdg
