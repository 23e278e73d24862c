#include "files/configfile.h"

#include "files/fileorder.h"
#include "model/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString UserTable = QStringLiteral("SG");
const QString Comment = QStringLiteral("About");
const QString LinesCount = QStringLiteral("Lines Count");
const QString SavePasswords = QStringLiteral("CkeckSavePess");

// A count beyond any real comment means a damaged file; honouring it would
// only fill memory with empty lines.
constexpr int MaxCommentLines = 100000;

QString CellKey(int column, int row)
{
    return QStringLiteral("Text %1,%2").arg(column).arg(row);
}

QString CommentKey(int line)
{
    return Comment + QString::number(line);
}

void BlankUserTable(SettingsStore& store)
{
    for (int column = 1; column <= SettingsStore::GridColumns; ++column)
        for (int row = 1; row <= SettingsStore::UserRows; ++row)
            store.setCell(row, column, QString());
}

void WriteSetting(ProfileFile& profile, const FileSection& section, const SettingsStore& store)
{
    QString value;
    switch (section.key) {
    case FileKey::ItemIndex: value = QString::number(store.choice(section.name)); break;
    case FileKey::Checked: value = store.flag(section.name) ? QStringLiteral("1") : QStringLiteral("0"); break;
    case FileKey::Text: value = store.text(section.name); break;
    }
    profile.writeString(section.name, FileKeyName(section.key), value);
}

void LoadSetting(const ProfileFile& profile, const FileSection& section, SettingsStore& store)
{
    const QString key = FileKeyName(section.key);
    switch (section.key) {
    case FileKey::ItemIndex: store.setChoice(section.name, profile.readInteger(section.name, key, section.defaultNumber)); break;
    case FileKey::Checked: store.setFlag(section.name, profile.readInteger(section.name, key, section.defaultNumber) != 0); break;
    case FileKey::Text: store.setText(section.name, profile.readString(section.name, key, section.defaultText)); break;
    }
}

QString FullPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

FileWriteError::FileWriteError(const QString& path)
    : message_(QStringLiteral("Unable to write to %1").arg(FullPath(path))), utf8_(message_.toUtf8())
{
}

ConfigFile::ConfigFile(const QString& path, Mode mode) : path_(path), mode_(mode), out_(path)
{
    QFile in(path);
    if (in.open(QIODevice::ReadOnly))
        profile_ = ProfileFile::fromBytes(in.readAll());
    else if (mode == Mode::Save && in.exists())
        throw FileWriteError(path);
    if (mode == Mode::Save && !out_.open(QIODevice::WriteOnly))
        throw FileWriteError(path);
}

void ConfigFile::close()
{
    if (mode_ != Mode::Save || !out_.isOpen())
        return;
    const QByteArray bytes = profile_.toBytes();
    // A full disk shows only when the buffer is flushed, and commit() would
    // replace the file with the cut copy all the same: flush and check first.
    bool written = out_.write(bytes) == bytes.size() && out_.flush() && out_.error() == QFileDevice::NoError;
    if (written && ownerOnly_)
        written = out_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!written) {
        out_.cancelWriting(); // the temporary file goes with out_, the target stays as it was
        throw FileWriteError(path_);
    }
    if (!out_.commit())
        throw FileWriteError(path_);
}

void WriteConfigFile(ConfigFile& file, SettingsStore& store)
{
    ProfileFile& profile = file.profile();
    for (const FileSection& section : FileOrder())
        WriteSetting(profile, section, store);
    if (!store.flag(SavePasswords))
        BlankUserTable(store);
    for (int column = 1; column <= SettingsStore::GridColumns; ++column)
        for (int row = 1; row <= SettingsStore::UserRows; ++row)
            profile.writeString(UserTable, CellKey(column, row), store.cell(row, column));
    const QStringList lines = store.memo();
    profile.writeString(Comment, LinesCount, QString::number(lines.size()));
    for (int line = 0; line < lines.size(); ++line)
        profile.writeString(Comment, CommentKey(line), lines.at(line));
}

void LoadConfigFile(const ConfigFile& file, SettingsStore& store)
{
    const ProfileFile& profile = file.profile();
    for (const FileSection& section : FileOrder())
        LoadSetting(profile, section, store);
    // The table is blanked whatever the file holds; it is filled only when passwords are kept.
    const bool fill = store.flag(SavePasswords);
    for (int column = 1; column <= SettingsStore::GridColumns; ++column)
        for (int row = 1; row <= SettingsStore::UserRows; ++row)
            store.setCell(row, column, fill ? profile.readString(UserTable, CellKey(column, row), QString()) : QString());
    const int count = qMin(profile.readInteger(Comment, LinesCount, 0), MaxCommentLines);
    QStringList lines;
    for (int line = 0; line < count; ++line)
        lines.append(profile.readString(Comment, CommentKey(line), QString()));
    store.setMemo(lines);
}

bool HoldsConfiguration(const ConfigFile& file)
{
    const ProfileFile& profile = file.profile();
    if (profile.hasSection(UserTable) || profile.hasSection(Comment))
        return true;
    for (const FileSection& section : FileOrder())
        if (profile.hasSection(section.name))
            return true;
    return false;
}
