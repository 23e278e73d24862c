#pragma once

#include <QDateTime>
#include <QString>

class SettingsStore;

// Where backups go unless a file is named: "backups" in the window's own data
// folder (AppLocalDataLocation of "QZV-6 Configurator"), for qzv6 as well.
QString DefaultBackupFolder();

// A file in folder that does not exist yet, named by the time and the port:
// "2026-12-11_153012_ttyUSB0.qzv" ("_2" and on when that one is taken).
QString NewBackupPath(const QString& folder, const QString& portName, const QDateTime& when);

// Saves what was read from the panel as a configuration file with the user
// codes (CkeckSavePess is turned on in panel for that), readable by its owner
// alone; a folder it has to create is made so as well. Empty on success, else
// the message why it could not be saved.
QString SaveBackup(SettingsStore& panel, const QString& path);
