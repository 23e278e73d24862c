#pragma once

#include <QString>

#include <vector>

// The key a Setting's section holds, by the Setting's kind.
enum class FileKey { ItemIndex, Checked, Text };

QString FileKeyName(FileKey key);

// One Setting's section of a configuration file.
struct FileSection {
    QString name;          // the Setting's name
    FileKey key = FileKey::Checked;
    int defaultNumber = 0; // file default of an ItemIndex or Checked key
    QString defaultText;   // file default of a Text key
};

// The 302 Setting sections in the fixed order of a configuration file, zone
// families expanded _01 .. _16; "SG" and "About" follow them.
const std::vector<FileSection>& FileOrder();
