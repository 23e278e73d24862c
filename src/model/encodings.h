#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <optional>

// How panel memory holds each kind of Setting, both directions side by side.
// Bytes are numbers here; the digit encodings work on upper-case hexadecimal
// text, the form the frames carry. All functions are pure.

// Upper-case hexadecimal, zero-filled to the given number of digits.
QString HexDigits(uint value, int digits);

namespace IndexByte {
quint8 encode(int index);
// A byte at or beyond the item count leaves nothing chosen (-1).
int decode(quint8 byte, int itemCount);
} // namespace IndexByte

// The zone numbers: items "1" to "16", memory holds the number itself.
namespace NumberByte {
quint8 encode(int index);
int decode(quint8 byte, int itemCount);
// A zone-number block is applied only when its first byte passes this.
bool isZoneNumber(quint8 byte);
} // namespace NumberByte

namespace FlagBit {
// The flag's contribution to its byte.
quint8 encode(bool checked, int bit);
bool decode(quint8 byte, int bit);
} // namespace FlagBit

// One zone column: zones 1-8 in bits 0-7 of the first byte, 9-16 in the second.
namespace ZoneBits {
using Zones = std::array<bool, 16>;
std::array<quint8, 2> encode(const Zones& zones);
Zones decode(quint8 first, quint8 second);
} // namespace ZoneBits

// A Contact ID code: its characters are the data digits.
namespace CodeDigits {
constexpr int MaxCharacters = 4;
// An odd count gets one trailing "0"; an empty text gives no digits. nullopt for
// more than 4 characters or one outside 0-9, A-F: it would overrun the next code
// or garble the frame.
std::optional<QString> encode(const QString& text);
QString decode(const QString& fourDigits);
} // namespace CodeDigits

// A DS18B20 threshold: sixteenths of a degree, bit 11 the minus sign.
namespace TemperatureWord {
constexpr int Limit = 2048; // sixteenths; the magnitude has 11 bits
// nullopt for a text that is not an optional "-" and a decimal number written with
// the locale's separator, or whose magnitude does not fit the 11 bits.
std::optional<quint16> encode(const QString& text, const QLocale& locale);
// True for a text written as a number with the locale's separator, in range or not.
bool isNumberText(const QString& text, const QLocale& locale);
// The largest magnitude as the installer types it: "127,9375".
QString largestText(const QLocale& locale);
// The shortest decimal form with the locale's separator: "12,5", "-3", "0,0625".
QString decode(quint16 word, const QLocale& locale);
} // namespace TemperatureWord

// The installer password block from 0x0010.
namespace InstallerCodeBlock {
constexpr int MaxCharacters = 26; // 0x0012 to 0x001E, then the 0x00 byte at 0x001F
// "30", the count, the characters, "0" for an odd count, "00". nullopt for more than
// 26 characters or one outside 0-9, A-F.
std::optional<QString> encode(const QString& password);
// dataDigits start at 0x0010: byte 1 is the count, the characters follow one per digit.
QString decode(const QString& dataDigits);
} // namespace InstallerCodeBlock

// The mode of the TM terminal: a code per item, not the index.
namespace TmModeByte {
quint8 encode(int index);
// Every byte outside the table reads as item 0.
int decode(quint8 byte);
} // namespace TmModeByte

// A user record: column 1 of one SG row, 16 digits.
namespace UserRecord {
constexpr int Digits = 16;
// An empty cell is sixteen "0"; a shorter one is completed with "0". nullopt for
// more than 16 characters or one outside 0-9, A-F.
std::optional<QString> encode(const QString& cell);
// A record whose first byte is 0x00 is a free slot: the cell is emptied.
QString decode(const QString& sixteenDigits);
} // namespace UserRecord
