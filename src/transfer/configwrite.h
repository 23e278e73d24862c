#pragma once

#include <QLocale>
#include <QString>

#include <optional>

class PanelLink;
class SettingsStore;

struct WriteOptions {
    QLocale locale;       // decimal separator of the temperatures
    bool backup = false;  // read the panel into a backup file before the first write request
    QString backupFile;   // that file; empty: a new one in backupFolder
    QString backupFolder; // empty: DefaultBackupFolder()
    bool verify = false;  // after the restart, read everything back and compare
};

enum class WriteOutcome {
    Written,    // "Записано успешно, ППК перезагружен." (and verified, when asked)
    NotWritten, // refused, answered No, failed or cut short, or the link was busy
    Differs,    // written and restarted, but the read-back differs from what was sent
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::NotWritten;
    // The lasting notice of what the write left in the panel (cut short, verified,
    // differing), to be shown until the next write replaces it; empty to clear it;
    // nothing when the panel was not touched, so an earlier notice still holds.
    std::optional<QString> notice;
};

// ButtonWriteClick's operation: checks the values, asks for confirmation, logs
// in, optionally backs the panel up, writes every block of the memory map and
// the 30 user records, restarts the panel, optionally waits for it and reads it
// back. Nothing is sent unless every value fits its place in panel memory, and
// no write request unless the backup asked for is saved. A write cut short
// after the panel took its first block leaves a lasting notice.
WriteResult WriteConfiguration(PanelLink& link, const SettingsStore& store, const WriteOptions& options);
