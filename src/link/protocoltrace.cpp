#include "protocoltrace.h"

#include "link/frames.h"

#include <QDateTime>
#include <QSaveFile>

namespace {

// Panel memory that holds secrets: the installer password, then the user records with their codes and keys.
struct SecretRange {
    int first;
    int end;
};
constexpr SecretRange SecretMemory[] = {{0x0010, 0x0020}, {0x0200, 0x02F0}};

const QString LoginCode = QStringLiteral("39");
const QString ReadCode = QStringLiteral("01");
const QString WriteCode = QStringLiteral("02");
constexpr int HeaderLength = 7;        // "p", four characters, the command code
constexpr int LoginStatusOffset = 25;  // data byte 9 of the reply, from the frame's "p"
constexpr int LoginKeptLength = 9;     // "p003903" and the number of password characters
constexpr int WriteKeptLength = 9;     // "p0002" and the address

bool touchesSecret(int address, int count)
{
    for (const SecretRange& range : SecretMemory)
        if (address < range.end && address + count > range.first)
            return true;
    return false;
}

int hexAt(const QString& text, int position, int length)
{
    bool ok = false;
    const int value = text.mid(position, length).toInt(&ok, 16);
    return ok ? value : -1;
}

QString commandOf(const QString& request)
{
    return request.mid(3, 2);
}

// A read request whose bytes include a secret.
bool readsSecret(const QString& request)
{
    return request.startsWith(u'p') && commandOf(request) == ReadCode
        && touchesSecret(hexAt(request, 7, 4), hexAt(request, 5, 2));
}

bool writesSecret(const QString& request)
{
    const int count = (int(request.size()) - WriteKeptLength - 3) / 2;
    return commandOf(request) == WriteCode && touchesSecret(hexAt(request, 5, 4), qMax(count, 1));
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// Every hexadecimal digit from position `from` on becomes "*", except the kept positions.
QString masked(QString text, int from, const QList<int>& kept = {})
{
    for (int i = from; i < text.size(); ++i)
        if (isHexDigit(text[i]) && !kept.contains(i))
            text[i] = u'*';
    return text;
}

QString maskedRequest(const QString& frame)
{
    if (!frame.startsWith(u'p'))
        return frame;
    if (commandOf(frame) == LoginCode)
        return masked(frame, LoginKeptLength);
    if (writesSecret(frame))
        return masked(frame, WriteKeptLength);
    return frame;
}

// Only the last frame of a reply is judged; its header, and the login's status, stay readable.
QString maskedReply(const QString& text, const QString& request)
{
    const bool login = commandOf(request) == LoginCode;
    if (!login && !readsSecret(request))
        return text;
    const int last = int(text.lastIndexOf(u'p'));
    QList<int> kept;
    for (int i = 1; last >= 0 && i < HeaderLength; ++i)
        kept << last + i;
    if (login && last >= 0)
        kept << last + LoginStatusOffset << last + LoginStatusOffset + 1;
    return masked(text, 0, kept);
}

bool printable(const QByteArray& data)
{
    for (const char c : data)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

// A frame as it stands; a binary block, such as the monitor's, byte by byte in hexadecimal.
QString shown(const QByteArray& data)
{
    if (printable(data))
        return QString::fromLatin1(data);
    return QStringLiteral("hex ") + QString::fromLatin1(data.toHex(' ').toUpper());
}

QString verdictText(TraceVerdict verdict)
{
    switch (verdict) {
    case TraceVerdict::Accepted: return QStringLiteral("принят");
    case TraceVerdict::Checksum: return QStringLiteral("неверная контрольная сумма");
    case TraceVerdict::WrongEcho: return QStringLiteral("ответ не на этот запрос");
    case TraceVerdict::Nothing: return QStringLiteral("нет ответа");
    }
    return {};
}

} // namespace

TraceVerdict VerdictOf(const QString& cleanedReply, bool accepted)
{
    if (accepted)
        return TraceVerdict::Accepted;
    if (cleanedReply.isEmpty())
        return TraceVerdict::Nothing;
    return passesChecksum(cleanedReply) ? TraceVerdict::WrongEcho : TraceVerdict::Checksum;
}

ProtocolTrace::ProtocolTrace(Clock clock) : clock_(std::move(clock)), start_(clock_()) {}

void ProtocolTrace::sent(const QByteArray& data)
{
    lastRequest_ = QString::fromLatin1(data);
    add(QStringLiteral("> ") + maskedRequest(shown(data)));
}

void ProtocolTrace::received(const QByteArray& data)
{
    const QString text = data.isEmpty() ? QStringLiteral("(пусто)") : maskedReply(shown(data), lastRequest_);
    add(QStringLiteral("< [%1] ").arg(data.size()) + text);
    awaitingVerdict_ = true;
}

void ProtocolTrace::judge(TraceVerdict verdict)
{
    if (!awaitingVerdict_ || lines_.empty())
        return;
    lines_.back() += QStringLiteral("  -- ") + verdictText(verdict);
    awaitingVerdict_ = false;
}

void ProtocolTrace::note(const QString& text)
{
    add(QStringLiteral("# ") + text);
}

void ProtocolTrace::add(QString line)
{
    awaitingVerdict_ = false;
    lines_.push_back(QStringLiteral("%1 ms  ").arg(clock_() - start_, 9) + line);
    if (lines_.size() > size_t(Capacity))
        lines_.pop_front();
}

QStringList ProtocolTrace::lines() const
{
    return QStringList(lines_.begin(), lines_.end());
}

QString ProtocolTrace::text() const
{
    QString text = QStringLiteral(
                       "Журнал обмена с ППК QZV-6, сохранён %1\n"
                       "Время в мс от начала журнала; > передано ППК, < принято от ППК [символов]; "
                       "# порт. Пароль, коды и ключи скрыты (*).\n\n")
                       .arg(QDateTime::currentDateTime().toString(Qt::ISODate));
    for (const QString& line : lines_)
        text += line + u'\n';
    return text;
}

std::optional<QString> ProtocolTrace::saveTo(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    const QByteArray bytes = text().toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}
