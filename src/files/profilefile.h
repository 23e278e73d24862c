#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A whole number as profile files hold it: optional sign, then decimal digits
// or hexadecimal ones after "$", "x", "X", "0x" or "0X". Anything else, and a
// number outside the range of int, gives nothing.
std::optional<int> ParseProfileInteger(const QString& text);

// An INI ("private profile") text held in memory: Windows-1251, CR LF lines,
// section and key names matched regardless of case. Writing updates the text
// in place, so lines of other programs and stale keys keep their place.
class ProfileFile {
public:
    static constexpr int MaxValueLength = 2047;
    // A text that starts with a UTF-8 or UTF-16 byte-order mark is read in that
    // encoding and written back in it, mark included.
    enum class Encoding { Windows1251, Utf8, Utf16LE, Utf16BE };

    ProfileFile() = default;
    // Any line end is accepted: CR LF, LF or CR alone.
    static ProfileFile fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    Encoding encoding() const { return encoding_; }

    bool hasSection(const QString& name) const;

    // The value trimmed, one pair of enclosing matching quotes dropped, cut
    // at MaxValueLength; nothing when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;

    // Replaces the key's value where it stands; a new key goes to the end of
    // its section, a new section to the end of the text.
    void writeString(const QString& section, const QString& key, const QString& value);

private:
    struct Section {
        QString header;               // the "[name]" line; empty for the lines before the first section
        QStringList lines;            // entries, comments and blank lines, as they stand
        QHash<QString, qsizetype> keys; // case-folded key -> its first line
    };

    static void indexLine(Section& section, qsizetype line);
    const Section* findSection(const QString& name) const;
    Section& sectionFor(const QString& name);

    std::vector<Section> sections_{Section{}};
    QHash<QString, qsizetype> index_; // case-folded section name -> its first occurrence
    Encoding encoding_ = Encoding::Windows1251;
};
