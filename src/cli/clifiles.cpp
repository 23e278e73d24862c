#include "cli/clifiles.h"

#include "cli/commandline.h"
#include "files/configfile.h"
#include "link/host.h"

#include <QFileInfo>

bool RequireExistingFile(const CommandLine& line, const QString& path)
{
    if (QFileInfo(path).isFile())
        return true;
    line.usageError(QStringLiteral("no such file '%1'.").arg(path));
    return false;
}

void LoadFileInto(const QString& path, SettingsStore& store)
{
    ConfigFile file(path, ConfigFile::Mode::Load);
    LoadConfigFile(file, store);
    file.close();
}

bool SaveStoreTo(const QString& path, SettingsStore& store, Host& host)
{
    try {
        ConfigFile file(path, ConfigFile::Mode::Save);
        WriteConfigFile(file, store);
        file.close();
    } catch (const FileWriteError& error) {
        host.message(error.message());
        return false;
    }
    return true;
}
