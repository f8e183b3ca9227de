#include "platform/PaperSize.h"

#include <windows.h>

papersize::Convention papersize::systemConvention()
{
    DWORD size = 0;
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IPAPERSIZE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&size),
                        sizeof(size) / sizeof(WCHAR))
        == 0)
        return {};
    const QString source = QStringLiteral("the regional settings");
    switch (size) {
    case 1: return {"letter", source};
    case 5: return {"legal", source};
    case 8: return {"a3", source};
    case 9: return {"a4", source};
    }
    return {"paper size " + std::to_string(size), source};
}
