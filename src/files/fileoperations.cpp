#include "files/fileoperations.h"

#include "files/configfile.h"
#include "link/host.h"
#include "model/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QStringList Filters = {QStringLiteral("Settings.qzv (*.qzv)"), QStringLiteral("Settings.ini (*.ini)")};
const QStringList StartFiles = {QStringLiteral("1_Start.qzv"), QStringLiteral("1_Start.ini")};

QString TitleFor(const QString& path)
{
    return QStringLiteral("QZV-6 Configurator - [%1]").arg(QFileInfo(path).fileName());
}

QStringList UserCells(const SettingsStore& store)
{
    QStringList cells;
    for (int row = 1; row <= SettingsStore::UserRows; ++row)
        for (int column = 1; column <= SettingsStore::GridColumns; ++column)
            cells << store.cell(row, column);
    return cells;
}

void SetUserCells(SettingsStore& store, const QStringList& cells)
{
    for (int row = 1; row <= SettingsStore::UserRows; ++row)
        for (int column = 1; column <= SettingsStore::GridColumns; ++column)
            store.setCell(row, column, cells.at((row - 1) * SettingsStore::GridColumns + column - 1));
}

// Loads the file unless it holds no configuration at all; then says so and changes nothing.
bool Load(const QString& path, SettingsStore& store, Host& host)
{
    ConfigFile file(path, ConfigFile::Mode::Load);
    if (!HoldsConfiguration(file)) {
        host.message(QStringLiteral("В файле «%1» нет конфигурации QZV-6.\r\nНастройки в окне не изменены.")
                         .arg(QFileInfo(path).fileName()));
        return false;
    }
    LoadConfigFile(file, store);
    file.close();
    return true;
}

} // namespace

FileFolders FileFolders::current()
{
    return {QCoreApplication::applicationDirPath(), QDir::currentPath()};
}

void PNGButton_SaveClick(SettingsStore& store, Host& host, const FileFolders& folders)
{
    const QString path = host.askSaveFile(
        {QStringLiteral("Збереження конфігурації"), folders.working, Filters, QStringLiteral("qzv"), true});
    if (path.isEmpty())
        return;
    // Saving without passwords blanks the user table; a save that fails must not cost it the codes.
    const QStringList cells = UserCells(store);
    try {
        ConfigFile file(path, ConfigFile::Mode::Save);
        WriteConfigFile(file, store);
        file.close();
    } catch (const FileWriteError& error) {
        SetUserCells(store, cells);
        host.message(error.message());
        return;
    }
    host.setTitle(TitleFor(path));
    host.message(QStringLiteral("Сохранено успешно."));
}

void PNGButton_OpenClick(SettingsStore& store, Host& host, const FileFolders& folders)
{
    const QString path =
        host.askOpenFile({QStringLiteral("Відкривання конфігурації"), folders.executable, Filters, {}, false});
    if (path.isEmpty() || !Load(path, store, host))
        return;
    host.setTitle(TitleFor(path));
    host.message(QStringLiteral("Открыто успешно."));
}

void OpenStartFile(SettingsStore& store, Host& host, const FileFolders& folders, bool announce)
{
    for (const QString& name : StartFiles) {
        const QString path = QDir(folders.executable).filePath(name);
        if (!QFileInfo(path).isFile())
            continue;
        if (!Load(path, store, host))
            return;
        host.setTitle(TitleFor(path));
        if (announce)
            host.message(QStringLiteral("Открыт изначальный файл [%1]!").arg(name));
        return;
    }
    host.message(QStringLiteral(
        "Внимание! Не найден изначальный файл [1_Start], который должен находится в папке с .ехе файлом!"));
}
