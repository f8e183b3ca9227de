#include "platform/SettingsStore.h"

#include "platform/linux/XdgFolders.h"

QString SettingsStore::configFolder()
{
    return xdg::baseDirectory("XDG_CONFIG_HOME", ".config");
}
