#include "files/windows1251.h"

#include <array>

namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order, and below 0x80 is ASCII.
constexpr std::array<char16_t, 64> HighHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
constexpr unsigned char CyrillicStart = 0xC0;
constexpr char16_t CyrillicA = 0x0410;

} // namespace

QString DecodeWindows1251(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte < 0x80 ? QChar(byte)
            : byte >= CyrillicStart ? QChar(char16_t(CyrillicA + (byte - CyrillicStart)))
                                    : QChar(HighHalf[byte - 0x80]);
    }
    return text;
}

QByteArray EncodeWindows1251(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char byte = '?';
        if (c < 0x80)
            byte = char(c);
        else if (c >= CyrillicA && c < CyrillicA + 64)
            byte = char(CyrillicStart + (c - CyrillicA));
        else
            for (std::size_t k = 0; k < HighHalf.size(); ++k)
                if (HighHalf[k] == c)
                    byte = char(0x80 + k);
        bytes[i] = byte;
    }
    return bytes;
}
