#include "files/windows1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1251, EveryByteComesBackAsItWas)
{
    QByteArray every;
    for (int byte = 0; byte < 256; ++byte)
        every.append(char(byte));
    const QString text = DecodeWindows1251(every);
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(EncodeWindows1251(text), every);
}

TEST(Windows1251, CharactersAndTheirBytes)
{
    struct Case {
        char16_t character;
        unsigned char byte;
    };
    // The ends of the Cyrillic run, the letters outside it, the signs of the high half, the unassigned byte.
    const Case cases[] = {{u'A', 0x41}, {u'А', 0xC0}, {u'я', 0xFF}, {u'Ё', 0xA8}, {u'ё', 0xB8}, {u'Ї', 0xAF},
                          {u'є', 0xBA}, {u'Ґ', 0xA5}, {u'№', 0xB9}, {u'€', 0x88}, {u'\u00A0', 0xA0},
                          {u'\u0098', 0x98}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(EncodeWindows1251(QString(QChar(c.character))), QByteArray(1, char(c.byte)));
        EXPECT_EQ(DecodeWindows1251(QByteArray(1, char(c.byte))), QString(QChar(c.character)));
    }
}

TEST(Windows1251, WhatTheCodePageLacksBecomesAQuestionMark)
{
    EXPECT_EQ(EncodeWindows1251(QString::fromUtf8("a漢ü")), QByteArray("a??"));
}

} // namespace
