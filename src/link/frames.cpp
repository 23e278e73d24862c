#include "frames.h"

namespace {

constexpr QChar frameStart = u'p';
constexpr QChar frameEnd = u';';

// The two characters at 0-based index i, or nothing when the text is too short.
QString pairAt(const QString& text, qsizetype i)
{
    return i >= 0 && i + 2 <= text.size() ? text.mid(i, 2) : QString();
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

std::optional<int> hexValue(const QString& digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

QString FrameChecksum(const QString& text)
{
    if (text.isEmpty())
        return {};
    unsigned sum = 0;
    for (const QChar c : text) {
        if (c != frameStart && c != frameEnd)
            sum += c.unicode();
    }
    return hexByte(int(sum % 256));
}

QString BuildFrame(const QString& payload)
{
    return frameStart + payload + FrameChecksum(payload) + frameEnd;
}

QString CleanReply(const QString& received)
{
    if (received.size() <= 5)
        return received;
    return frameStart + received.mid(received.lastIndexOf(frameStart) + 1);
}

bool passesChecksum(const QString& reply)
{
    const qsizetype n = reply.size();
    if (n == 0)
        return true;
    if (n < 4)
        return false;
    return FrameChecksum(reply.mid(1, n - 4)) == reply.mid(n - 3, 2);
}

bool passesAcknowledgement(const QString& reply, const QString& request)
{
    const QString code = pairAt(request, 3);
    return !code.isEmpty() && reply.left(7) == QStringLiteral("p0000") + code;
}

bool passesEcho(const QString& reply, const QString& request)
{
    const QString code = pairAt(request, 3);
    return !code.isEmpty() && pairAt(reply, 5) == code;
}

std::optional<int> replyByte(const QString& reply, int k)
{
    // Data ends where the checksum begins, three characters before the end.
    const qsizetype at = 7 + 2 * qsizetype(k);
    if (k < 0 || at + 2 > reply.size() - 3)
        return std::nullopt;
    return hexValue(reply.mid(at, 2));
}

std::optional<int> replyWord(const QString& reply, int k)
{
    const auto high = replyByte(reply, k);
    const auto low = replyByte(reply, k + 1);
    if (!high || !low)
        return std::nullopt;
    return *high * 256 + *low;
}

QString hexByte(int value)
{
    return QString::number(value & 0xFF, 16).toUpper().rightJustified(2, u'0');
}

QString hexWord(int value)
{
    return QString::number(value & 0xFFFF, 16).toUpper().rightJustified(4, u'0');
}
