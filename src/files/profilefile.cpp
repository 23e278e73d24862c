#include "files/profilefile.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextCodec>

#include <iterator>
#include <limits>

namespace {

// A byte-order mark names its encoding; a file without one is Windows-1251.
struct EncodingRow {
    ProfileFile::Encoding encoding;
    QStringConverter::Encoding unicode; // unused for Windows-1251
    QByteArray mark;
};

const EncodingRow Encodings[] = {
    {ProfileFile::Encoding::Utf8, QStringConverter::Utf8, QByteArrayLiteral("\xEF\xBB\xBF")},
    {ProfileFile::Encoding::Utf16LE, QStringConverter::Utf16LE, QByteArrayLiteral("\xFF\xFE")},
    {ProfileFile::Encoding::Utf16BE, QStringConverter::Utf16BE, QByteArrayLiteral("\xFE\xFF")},
    {ProfileFile::Encoding::Windows1251, QStringConverter::System, QByteArray()},
};

const EncodingRow& RowOf(ProfileFile::Encoding encoding)
{
    for (const EncodingRow& row : Encodings)
        if (row.encoding == encoding)
            return row;
    return Encodings[std::size(Encodings) - 1];
}

const EncodingRow& RowOf(const QByteArray& bytes)
{
    for (const EncodingRow& row : Encodings)
        if (!row.mark.isEmpty() && bytes.startsWith(row.mark))
            return row;
    return Encodings[std::size(Encodings) - 1];
}

QTextCodec* Windows1251()
{
    static QTextCodec* const codec = QTextCodec::codecForName("Windows-1251");
    Q_ASSERT(codec);
    return codec;
}

QString Decode(const EncodingRow& row, const QByteArray& bytes)
{
    if (row.encoding == ProfileFile::Encoding::Windows1251)
        return Windows1251()->toUnicode(bytes);
    QStringDecoder decoder(row.unicode, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray Encode(const EncodingRow& row, const QString& text)
{
    if (row.encoding == ProfileFile::Encoding::Windows1251)
        return Windows1251()->fromUnicode(text);
    QStringEncoder encoder(row.unicode, QStringConverter::Flag::Stateless);
    return row.mark + QByteArray(encoder.encode(text));
}

QString Folded(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<QString> HeaderName(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
    if (!trimmed.startsWith(QLatin1Char('[')) || close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// A line break inside a value would open a line of its own (even a section).
QString OneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

QString Unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(ProfileFile::MaxValueLength);
}

} // namespace

std::optional<int> ParseProfileInteger(const QString& text)
{
    QStringView digits(text);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative || digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    int base = 10;
    for (const char* prefix : {"0x", "0X", "$", "x", "X"}) {
        if (digits.startsWith(QLatin1String(prefix))) {
            digits = digits.mid(qsizetype(qstrlen(prefix)));
            base = 16;
            break;
        }
    }
    if (digits.isEmpty())
        return std::nullopt;
    qint64 magnitude = 0;
    for (const QChar c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    const qint64 number = negative ? -magnitude : magnitude;
    if (number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

ProfileFile ProfileFile::fromBytes(const QByteArray& bytes)
{
    ProfileFile file;
    const EncodingRow& row = RowOf(bytes);
    file.encoding_ = row.encoding;
    QString text = Decode(row, bytes.mid(row.mark.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.back().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        if (const auto name = HeaderName(line)) {
            file.sections_.push_back({line, {}, {}});
            // A repeated section is kept as it stands; its first occurrence is the one read and written.
            if (!file.index_.contains(name->toCaseFolded()))
                file.index_.insert(name->toCaseFolded(), file.sections_.size() - 1);
            continue;
        }
        Section& section = file.sections_.back();
        section.lines.append(line);
        indexLine(section, section.lines.size() - 1);
    }
    return file;
}

QByteArray ProfileFile::toBytes() const
{
    QString text;
    for (const Section& section : sections_) {
        if (!section.header.isEmpty())
            text += section.header + QLatin1String("\r\n");
        for (const QString& line : section.lines)
            text += line + QLatin1String("\r\n");
    }
    return Encode(RowOf(encoding_), text);
}

void ProfileFile::indexLine(Section& section, qsizetype line)
{
    const qsizetype equals = section.lines.at(line).indexOf(QLatin1Char('='));
    if (equals <= 0)
        return;
    const QString key = Folded(section.lines.at(line).left(equals));
    if (!key.isEmpty() && !section.keys.contains(key))
        section.keys.insert(key, line);
}

const ProfileFile::Section* ProfileFile::findSection(const QString& name) const
{
    const auto it = index_.constFind(Folded(name));
    return it == index_.constEnd() ? nullptr : &sections_[*it];
}

bool ProfileFile::hasSection(const QString& name) const
{
    return findSection(name) != nullptr;
}

std::optional<QString> ProfileFile::value(const QString& section, const QString& key) const
{
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    const auto line = found->keys.constFind(Folded(key));
    if (line == found->keys.constEnd())
        return std::nullopt;
    const QString& text = found->lines.at(*line);
    return Unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1));
}

QString ProfileFile::readString(const QString& section, const QString& key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

int ProfileFile::readInteger(const QString& section, const QString& key, int fallback) const
{
    const auto text = value(section, key);
    return text ? ParseProfileInteger(*text).value_or(fallback) : fallback;
}

ProfileFile::Section& ProfileFile::sectionFor(const QString& name)
{
    if (const auto it = index_.constFind(Folded(name)); it != index_.constEnd())
        return sections_[*it];
    // A blank line keeps the sections apart, for the reader's eye.
    Section& last = sections_.back();
    const bool empty = sections_.size() == 1 && last.lines.isEmpty();
    if (!empty && (last.lines.isEmpty() || !last.lines.back().trimmed().isEmpty()))
        last.lines.append(QString());
    sections_.push_back({QLatin1Char('[') + name + QLatin1Char(']'), {}, {}});
    index_.insert(Folded(name), sections_.size() - 1);
    return sections_.back();
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    Section& target = sectionFor(section);
    if (const auto it = target.keys.constFind(Folded(key)); it != target.keys.constEnd()) {
        QString& line = target.lines[*it];
        line = line.left(line.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + OneLine(value);
        return;
    }
    // After the section's last entry, before the blank lines that part it from the next.
    qsizetype at = target.lines.size();
    while (at > 0 && target.lines.at(at - 1).trimmed().isEmpty())
        --at;
    target.lines.insert(at, key + QLatin1Char('=') + OneLine(value));
    target.keys.insert(Folded(key), at);
}
