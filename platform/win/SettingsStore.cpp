#include "platform/SettingsStore.h"

#include <QStandardPaths>

// The user's local application data (%LOCALAPPDATA%).
QString SettingsStore::configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}
