#include "link/frames.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

namespace {

struct FrameCase {
    const char* payload;
    const char* checksum;
    const char* frame;
};

const FrameCase frameCases[] = {
    {"0045", "C9", "p0045C9;"},
    {"00050144", "8E", "p000501448E;"},   // 0x18E keeps its last two digits
    {"000005", "25", "p00000525;"},
    {"000E04", "39", "p000E0439;"},
    {"0008", "C8", "p0008C8;"},
    {"0021", "C3", "p0021C3;"},
    {"0001010024", "E8", "p0001010024E8;"},
    {"00461E21", "A3", "p00461E21A3;"},
    {"000E020B", "A9", "p000E020BA9;"},
    {"000E0200", "97", "p000E020097;"},
    {"00390300", "8F", "p003903008F;"},
};

TEST(Frames, ChecksumAndFrameOfWorkedExamples)
{
    for (const FrameCase& c : frameCases) {
        SCOPED_TRACE(c.payload);
        EXPECT_EQ(FrameChecksum(c.payload), c.checksum);
        EXPECT_EQ(BuildFrame(c.payload), c.frame);
        // "p" and ";" never count, so a whole frame sums like its payload.
        EXPECT_EQ(FrameChecksum(QStringLiteral("p%1;").arg(c.payload)), c.checksum);
        EXPECT_TRUE(passesChecksum(c.frame));
    }
    EXPECT_EQ(FrameChecksum(""), "");
    EXPECT_EQ(BuildFrame(""), "p;");
}

TEST(Frames, CleanReplyKeepsTheLastFrame)
{
    const struct {
        const char* received;
        const char* cleaned;
    } cases[] = {
        {"xxp0000C0;p00000525;", "p00000525;"},
        {"p00;", "p00;"},              // five or fewer: unchanged
        {"p0000", "p0000"},
        {"000005", "p000005"},         // no "p" at all
        {"p000E0439;p00000E39;", "p00000E39;"}, // the echo of the request is dropped
        {"noise p", "p"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.received);
        EXPECT_EQ(CleanReply(c.received), c.cleaned);
    }
}

TEST(Frames, ReplyTests)
{
    const struct {
        const char* reply;
        const char* request;
        bool checksum, acknowledgement, echo;
    } cases[] = {
        {"p00000525;", "p000501448E;", true, true, true},
        {"p00000222;", "p00020024050F;", true, true, true},
        {"p00000525;", "p0045C9;", true, false, false},     // another command
        {"p00000526;", "p000501448E;", false, true, true},  // wrong checksum
        {"p00000525x", "p000501448E;", true, true, true},   // last character not examined
        {"p00004529;", "p0045C9;", true, true, true},
        {"p12344533;", "p0045C9;", true, false, true},      // positions 2-5 of a data reply
        {"", "p0045C9;", true, false, false},               // empty passes only the checksum
        {"p0;", "p0045C9;", false, false, false},
        {"p0000", "p0;", false, false, false},              // no code in a short request
        {"p0000010081;", "p0001010024E8;", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.reply) + " to " + c.request);
        EXPECT_EQ(passesChecksum(c.reply), c.checksum);
        EXPECT_EQ(passesAcknowledgement(c.reply, c.request), c.acknowledgement);
        EXPECT_EQ(passesEcho(c.reply, c.request), c.echo);
    }
}

TEST(Frames, LowerCaseChecksumFailsThoughItsValueIsRight)
{
    const QString reply = BuildFrame("0000010AB0");
    ASSERT_TRUE(passesChecksum(reply));
    EXPECT_FALSE(passesChecksum(reply.toLower()));
}

TEST(Frames, FieldExtraction)
{
    // Data bytes 0..9 of a login reply; byte 9 is the status.
    const QString reply = BuildFrame("000039" "0102030405060708A90C");
    EXPECT_EQ(replyByte(reply, 0), 0x01);
    EXPECT_EQ(replyByte(reply, 8), 0xA9);
    EXPECT_EQ(replyByte(reply, 9), 0x0C);
    EXPECT_EQ(replyWord(reply, 8), 0xA90C);
    EXPECT_EQ(replyByte(reply, 10), std::nullopt); // the checksum is no data
    EXPECT_EQ(replyByte(reply, 11), std::nullopt);
    EXPECT_EQ(replyByte(reply, -1), std::nullopt);
    EXPECT_EQ(replyWord(reply, 9), std::nullopt);
    EXPECT_EQ(replyByte("p000001G0;", 0), std::nullopt);
    EXPECT_EQ(hexByte(5), "05");
    EXPECT_EQ(hexByte(0x1E), "1E");
    EXPECT_EQ(hexWord(0x08C8), "08C8");
}

} // namespace
