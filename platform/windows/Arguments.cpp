#include "platform/Arguments.h"

#include <QString>

#include <windows.h>

#include <shellapi.h>

std::vector<std::string> arguments::inUtf8(int argc, char **argv)
{
    int count = 0;
    wchar_t **words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return {argv, argv + argc};
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        utf8.push_back(QString::fromWCharArray(words[i]).toStdString());
    LocalFree(words);
    return utf8;
}
