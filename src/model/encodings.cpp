#include "model/encodings.h"

#include "model/inputrules.h"

#include <algorithm>

namespace {

bool AllCodeChars(const QString& text)
{
    return std::all_of(text.begin(), text.end(), IsCodeChar);
}

bool AllDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString HexDigits(uint value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

namespace IndexByte {

// Nothing chosen goes out as 0x00: exactly one byte keeps the block's later Settings at their addresses.
quint8 encode(int index)
{
    return index < 0 ? 0 : quint8(index);
}

int decode(quint8 byte, int itemCount)
{
    return byte < itemCount ? byte : -1;
}

} // namespace IndexByte

namespace NumberByte {

// Nothing chosen goes out as 0x00, the same one byte as IndexByte; it is no zone number.
quint8 encode(int index)
{
    return index < 0 ? 0 : quint8(index + 1);
}

int decode(quint8 byte, int itemCount)
{
    return byte >= 1 && byte <= itemCount ? byte - 1 : -1;
}

bool isZoneNumber(quint8 byte)
{
    return byte >= 1 && byte <= 16;
}

} // namespace NumberByte

namespace FlagBit {

quint8 encode(bool checked, int bit)
{
    return checked ? quint8(1u << bit) : 0;
}

bool decode(quint8 byte, int bit)
{
    return (byte >> bit) & 1u;
}

} // namespace FlagBit

namespace ZoneBits {

std::array<quint8, 2> encode(const Zones& zones)
{
    std::array<quint8, 2> bytes{};
    for (int zone = 0; zone < 16; ++zone)
        bytes[zone / 8] |= FlagBit::encode(zones[zone], zone % 8);
    return bytes;
}

Zones decode(quint8 first, quint8 second)
{
    Zones zones{};
    for (int zone = 0; zone < 16; ++zone)
        zones[zone] = FlagBit::decode(zone < 8 ? first : second, zone % 8);
    return zones;
}

} // namespace ZoneBits

namespace CodeDigits {

std::optional<QString> encode(const QString& text)
{
    if (text.size() > MaxCharacters || !AllCodeChars(text))
        return std::nullopt;
    return text.size() % 2 ? text + u'0' : text;
}

QString decode(const QString& fourDigits)
{
    return fourDigits;
}

} // namespace CodeDigits

namespace TemperatureWord {

namespace {

constexpr quint16 SignBit = 0x0800;

// Sixteenths in the decimal fraction digits, rounded half to even, done on the digits
// themselves so that no binary rounding decides a tie.
int FractionSixteenths(const QString& digits, int wholeSixteenths)
{
    QString rest = digits;
    int carry = 0;
    for (qsizetype i = rest.size() - 1; i >= 0; --i) {
        const int value = rest[i].digitValue() * 16 + carry;
        rest[i] = QChar(u'0' + value % 10);
        carry = value / 10;
    }
    const int first = rest.isEmpty() ? 0 : rest[0].digitValue();
    const bool beyondHalf = std::any_of(rest.begin() + std::min<qsizetype>(1, rest.size()), rest.end(),
                                        [](QChar c) { return c != u'0'; });
    const bool even = (wholeSixteenths + carry) % 2 == 0;
    const bool up = first > 5 || (first == 5 && (beyondHalf || !even));
    return carry + (up ? 1 : 0);
}

// The digits before and after the locale's separator, without the sign;
// nothing for a text that is not a number.
std::optional<std::pair<QString, QString>> NumberParts(const QString& text, const QLocale& locale)
{
    const QString number = text.startsWith(u'-') ? text.mid(1) : text;
    const QString point = locale.decimalPoint();
    const qsizetype at = number.indexOf(point);
    const QString whole = at < 0 ? number : number.left(at);
    const QString fraction = at < 0 ? QString() : number.mid(at + point.size());
    if ((whole.isEmpty() && fraction.isEmpty()) || !AllDigits(whole) || !AllDigits(fraction))
        return std::nullopt;
    return std::pair{whole, fraction};
}

} // namespace

bool isNumberText(const QString& text, const QLocale& locale)
{
    return NumberParts(text, locale).has_value();
}

QString largestText(const QLocale& locale)
{
    return decode(quint16(Limit - 1), locale);
}

std::optional<quint16> encode(const QString& text, const QLocale& locale)
{
    const bool negative = text.startsWith(u'-');
    const auto parts = NumberParts(text, locale);
    if (!parts)
        return std::nullopt;
    auto [whole, fraction] = *parts;
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    // Beyond three digits the value is out of range anyway; this keeps toInt() safe.
    if (whole.size() > 3)
        return std::nullopt;
    const int wholeSixteenths = whole.toInt() * 16;
    const int magnitude = wholeSixteenths + FractionSixteenths(fraction, wholeSixteenths);
    // A magnitude of 2048 or more would run into the sign bit: a conversion failure, like a bad text.
    if (magnitude >= Limit)
        return std::nullopt;
    return quint16(magnitude | (negative ? SignBit : 0));
}

QString decode(quint16 word, const QLocale& locale)
{
    const bool negative = word & SignBit;
    const int value = word & ~SignBit;
    QString text = QString::number(value / 16);
    QString fraction = QStringLiteral("%1").arg((value % 16) * 625, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return negative ? u'-' + text : text;
}

} // namespace TemperatureWord

namespace InstallerCodeBlock {

std::optional<QString> encode(const QString& password)
{
    // Refused before anything is sent: a longer password would overwrite 0x0020 and on.
    if (password.size() > MaxCharacters || !AllCodeChars(password))
        return std::nullopt;
    QString digits = QStringLiteral("30") + HexDigits(uint(password.size()), 2) + password;
    if (password.size() % 2)
        digits += u'0';
    return digits + QStringLiteral("00");
}

QString decode(const QString& dataDigits)
{
    bool ok = false;
    const int count = dataDigits.mid(2, 2).toInt(&ok, 16);
    // Erased memory gives counts up to 0xFF; only the 26 places of the block hold characters.
    return ok ? dataDigits.mid(4, std::min(count, MaxCharacters)) : QString();
}

} // namespace InstallerCodeBlock

namespace TmModeByte {

namespace {

// Index = item of sComboBox_TypeTM, from item 1; item 0 owns every other byte.
constexpr quint8 Codes[] = {0x01, 0x02, 0x04, 0x08, 0x41, 0x00, 0x80, 0x40};

} // namespace

quint8 encode(int index)
{
    if (index < 0)
        return 0x00;
    // Item 0 goes out as 0xFF: no item owns it, so it reads back as item 0.
    if (index == 0 || index > int(std::size(Codes)))
        return 0xFF;
    return Codes[index - 1];
}

int decode(quint8 byte)
{
    const auto it = std::find(std::begin(Codes), std::end(Codes), byte);
    return it == std::end(Codes) ? 0 : int(it - std::begin(Codes)) + 1;
}

} // namespace TmModeByte

namespace UserRecord {

std::optional<QString> encode(const QString& cell)
{
    // Never cut a longer record silently: the panel would keep a different code than the table shows.
    if (cell.size() > Digits || !AllCodeChars(cell))
        return std::nullopt;
    return cell.leftJustified(Digits, u'0');
}

QString decode(const QString& sixteenDigits)
{
    return sixteenDigits.startsWith(QStringLiteral("00")) ? QString() : sixteenDigits;
}

} // namespace UserRecord
