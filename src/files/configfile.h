#pragma once

#include "files/profilefile.h"

#include <QSaveFile>
#include <QString>

#include <exception>

class SettingsStore;

// A configuration file that cannot be written; the message names its full path.
class FileWriteError : public std::exception {
public:
    explicit FileWriteError(const QString& path);
    QString message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// An open configuration file: parsed whole when opened; for a save, written
// whole when closed, through a temporary file beside it, so a failure never
// leaves it half-written.
class ConfigFile {
public:
    enum class Mode { Load, Save };

    // Save: throws FileWriteError when the file cannot be created, or exists
    // but cannot be read (updating it blind would drop what it holds). Load
    // never fails: a missing or unreadable file reads as an empty one.
    ConfigFile(const QString& path, Mode mode);

    const ProfileFile& profile() const { return profile_; }
    ProfileFile& profile() { return profile_; }

    // Save: the file is to be readable and writable by its owner alone (it holds
    // user codes), whatever the umask or an older file's mode.
    void keepToOwner() { ownerOnly_ = true; }

    // Save: puts the content on disk; throws FileWriteError.
    void close();

private:
    QString path_;
    Mode mode_;
    ProfileFile profile_;
    QSaveFile out_;
    bool ownerOnly_ = false;
};

// Writes every Setting, the user table and the comment. With CkeckSavePess
// off the user table is blanked in the store before it is written.
void WriteConfigFile(ConfigFile& file, SettingsStore& store);

// Sets every Setting, the user table and the comment from the file; what the
// file lacks takes its file default.
void LoadConfigFile(const ConfigFile& file, SettingsStore& store);

// Whether the file has at least one section of a configuration; a file with none
// (a text under a .qzv name, a missing file) would load nothing but file defaults.
bool HoldsConfiguration(const ConfigFile& file);
