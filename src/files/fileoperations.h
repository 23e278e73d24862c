#pragma once

#include <QString>

class Host;
class SettingsStore;

// The two folders the file operations start from.
struct FileFolders {
    QString executable; // holds the program and its start file; the open dialog starts here
    QString working;    // the process's working directory; the save dialog starts here

    static FileFolders current();
};

// Asks for a file and writes the whole configuration into it.
void PNGButton_SaveClick(SettingsStore& store, Host& host, const FileFolders& folders);

// Asks for a file and loads the whole configuration from it.
void PNGButton_OpenClick(SettingsStore& store, Host& host, const FileFolders& folders);

// Loads "1_Start.qzv", else "1_Start.ini", from the executable's folder;
// announce says so afterwards (F5). A missing start file is always reported.
void OpenStartFile(SettingsStore& store, Host& host, const FileFolders& folders, bool announce);
