#include "virtualpanel.h"

#include "factoryimage.h"
#include "link/frames.h"

namespace {

constexpr int passwordAddress = 0x0010;
constexpr int maxPasswordLength = 26;
constexpr int userTable = 0x0200;
constexpr int userCount = 30;
constexpr int rxLimit = 4096;
constexpr int longestFrame = 600; // a write of 255 bytes, framed
constexpr char passwordMarker = 0x30;

bool isUpperHex(const QString& text)
{
    for (const QChar c : text) {
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

int hexAt(const QString& text, int at, int digits)
{
    return text.mid(at, digits).toInt(nullptr, 16);
}

// Status bytes of a quiet, disarmed panel: 13.9 V, battery full, power lamp on,
// zones 1-8 on their end-of-line resistors, zones 9-16 open.
QByteArray quietStatus()
{
    QByteArray s(VirtualPanel::statusSize, 0);
    s[0] = char(190);
    s[1] = 10;
    s[9] = 0x01;
    s[12] = char(0xFF); // no key yet
    for (int zone = 0; zone < 16; ++zone)
        s[31 + zone] = char(zone < 8 ? 103 : 200);
    return s;
}

// The status block reports "*" and "#" with codes of their own.
int registeredKey(int sent)
{
    switch (sent) {
    case 11: return 26;
    case 10: return 27;
    default: return sent;
    }
}

} // namespace

VirtualPanel::VirtualPanel(Clock clock)
    : memory(FactoryImage()), status(quietStatus()), clock_(std::move(clock))
{
    setTemperature(temperature);
}

QByteArray VirtualPanel::handle(const QByteArray& received)
{
    receive(received);
    return takeDue();
}

void VirtualPanel::receive(const QByteArray& received)
{
    rx_ += received;
    for (qsizetype end; (end = rx_.indexOf(';')) >= 0;) {
        const qsizetype start = rx_.lastIndexOf('p', end);
        const QByteArray frame = start < 0 ? QByteArray() : rx_.mid(start, end - start + 1);
        rx_.remove(0, end + 1);
        if (!frame.isEmpty())
            handleFrame(QString::fromLatin1(frame));
    }
    if (rx_.size() > rxLimit) {
        // Noise without an end: keep only a frame that may still be arriving.
        const qsizetype start = rx_.lastIndexOf('p');
        rx_ = start >= 0 && rx_.size() - start <= longestFrame ? rx_.mid(start) : QByteArray();
    }
}

QByteArray VirtualPanel::takeDue()
{
    QByteArray out;
    const qint64 now = clock_();
    while (!tx_.empty() && tx_.front().due <= now) {
        out += tx_.front().bytes;
        tx_.pop_front();
    }
    return out;
}

std::optional<qint64> VirtualPanel::nextDue() const
{
    if (tx_.empty())
        return std::nullopt;
    return tx_.front().due;
}

void VirtualPanel::handleFrame(const QString& frame)
{
    if (booting())
        return;
    const QString payload = frame.mid(1, frame.size() - 4);
    if (payload.size() < 4 || !isUpperHex(payload)
        || FrameChecksum(payload) != frame.mid(frame.size() - 3, 2)) {
        ++badFrames;
        return;
    }
    log << payload;
    const QString code = payload.mid(2, 2);
    const bool faulted = faultsApply(code);
    if (faulted) {
        const int n = ++faultedRequests_;
        if (faults_.silent || n <= faults_.answerAfter || (faults_.stopAfter >= 0 && n > faults_.stopAfter))
            return;
    }
    const std::optional<QByteArray> reply = answer(payload);
    if (!reply)
        return;
    if (faulted)
        send(dress(code, *reply, frame.toLatin1()), faults_.lateMs);
    else
        send(*reply, 0);
    // The key is learnt after the request has been acknowledged.
    if (code == u"46" && enrolDelayMs >= 0)
        completeEnrolment(enrolDelayMs);
}

bool VirtualPanel::faultsApply(const QString& code) const
{
    return faults_.onlyCommand.isEmpty() || faults_.onlyCommand == code;
}

std::optional<QByteArray> VirtualPanel::answer(const QString& payload)
{
    const QString code = payload.mid(2, 2);
    const bool sessionOnly = code == u"01" || code == u"02" || code == u"08" || code == u"21";
    if (sessionOnly && requireLogin && !loggedIn_)
        return std::nullopt;
    if (code == u"05")
        return acknowledgement(code);
    if (code == u"39")
        return login(payload);
    if (code == u"01")
        return readMemory(payload);
    if (code == u"02")
        return writeMemory(payload);
    if (code == u"08") {
        ++restarts;
        loggedIn_ = false;
        bootedAt_ = clock_() + restartDelayMs;
        return acknowledgement(code);
    }
    if (code == u"21")
        return dataReply(code, QString(16, u'0') + hexWord(temperature));
    if (code == u"45") {
        ++memorisations;
        return acknowledgement(code);
    }
    if (code == u"46")
        return enrol(payload);
    if (code == u"0E")
        return monitor(payload);
    return std::nullopt;
}

std::optional<QByteArray> VirtualPanel::readMemory(const QString& payload) const
{
    if (payload.size() != 10)
        return std::nullopt;
    const int count = hexAt(payload, 4, 2);
    const int address = hexAt(payload, 6, 4);
    QString data;
    for (int i = 0; i < count; ++i) {
        const int a = address + i;
        data += hexByte(a < memory.size() ? quint8(memory[a]) : 0xFF);
    }
    return dataReply(u"01"_qs, data);
}

std::optional<QByteArray> VirtualPanel::writeMemory(const QString& payload)
{
    // Code texts are completed to whole bytes by the sender; half a byte is a fault.
    if (payload.size() < 8 || payload.size() % 2 != 0)
        return std::nullopt;
    const int address = hexAt(payload, 4, 4);
    if (address == faults_.dropWriteAt)
        return acknowledgement(u"02"_qs);
    for (int i = 8, a = address; i < payload.size(); i += 2, ++a) {
        if (a < memory.size())
            memory[a] = char(hexAt(payload, i, 2));
    }
    return acknowledgement(u"02"_qs);
}

QByteArray VirtualPanel::login(const QString& payload)
{
    const int count = payload.size() >= 8 ? hexAt(payload, 6, 2) : -1;
    bool wellFormed = payload.mid(4, 2) == u"03" && payload.size() == 8 + 2 * count;
    QString digits;
    for (int i = 0; wellFormed && i < count; ++i) {
        const int value = hexAt(payload, 8 + 2 * i, 2);
        wellFormed = value < 16;
        digits += QString::number(value, 16).toUpper();
    }
    QString result = loginStatus;
    if (result.isEmpty())
        result = wellFormed && digits == password() ? u"03"_qs : u"AA"_qs;
    loggedIn_ = result == u"03";
    return dataReply(u"39"_qs, QString(18, u'0') + result);
}

std::optional<QByteArray> VirtualPanel::monitor(const QString& payload)
{
    if (payload == u"000E04") {
        if (beforeStatus)
            beforeStatus();
        return status;
    }
    if (payload.size() == 8 && payload.startsWith(u"000E02")) {
        const int key = hexAt(payload, 6, 2);
        keys << key;
        status[12] = char(registeredKey(key));
        return acknowledgement(u"0E"_qs);
    }
    return std::nullopt;
}

std::optional<QByteArray> VirtualPanel::enrol(const QString& payload)
{
    if (payload.size() < 6)
        return std::nullopt;
    enrolments << Enrolment{hexAt(payload, 4, 2), payload.mid(6)};
    return acknowledgement(u"46"_qs);
}

bool VirtualPanel::completeEnrolment(int delayMs)
{
    if (enrolments.isEmpty())
        return false;
    const Enrolment& e = enrolments.last();
    if (e.user >= 1 && e.user <= userCount) {
        // Type and access as asked, then the key's code; a made-up code per key.
        const QString key = QStringLiteral("%1").arg(qlonglong(0x00A1B2C300LL + enrolments.size()), 10, 16, QChar(u'0'));
        const QString record = (e.access.leftJustified(2, u'0').left(2) + key.toUpper())
                                   .leftJustified(16, u'0');
        for (int i = 0; i < 8; ++i)
            memory[userTable + 8 * (e.user - 1) + i] = char(hexAt(record, 2 * i, 2));
    }
    send(BuildFrame(u"0047"_qs + hexByte(e.user)).toLatin1(), delayMs);
    return true;
}

void VirtualPanel::setFaults(const PanelFaults& faults)
{
    faults_ = faults;
    faultedRequests_ = 0;
}

void VirtualPanel::lineDropped()
{
    loggedIn_ = false;
    rx_.clear();
}

QString VirtualPanel::password() const
{
    const int count = qMin<int>(quint8(memory[passwordAddress + 1]), maxPasswordLength);
    const QString digits = QString::fromLatin1(memory.mid(passwordAddress + 2, 13).toHex().toUpper());
    return digits.left(count);
}

bool VirtualPanel::setPassword(const QString& password)
{
    if (password.size() > maxPasswordLength || !isUpperHex(password))
        return false;
    QString digits = password;
    if (digits.size() % 2 != 0)
        digits += u'0';
    const QByteArray block = QByteArray(1, passwordMarker) + char(password.size())
        + QByteArray::fromHex(digits.toLatin1()) + char(0);
    memory.replace(passwordAddress, block.size(), block);
    return true;
}

void VirtualPanel::setTemperature(int word)
{
    temperature = word;
    status[13] = char(word >> 8);
    status[14] = char(word);
}

QByteArray VirtualPanel::acknowledgement(const QString& code) const
{
    return BuildFrame(u"0000"_qs + code).toLatin1();
}

QByteArray VirtualPanel::dataReply(const QString& code, const QString& data) const
{
    return BuildFrame(u"0000"_qs + code + data).toLatin1();
}

QByteArray VirtualPanel::dress(const QString& code, const QByteArray& reply, const QByteArray& request) const
{
    QByteArray out = reply;
    const bool isFrame = out.startsWith('p') && out.endsWith(';') && out.size() >= 7;
    if (isFrame && faults_.echoOtherCommand) {
        const QString other = code == u"01" ? u"02"_qs : u"01"_qs;
        const QString payload = QString::fromLatin1(out.mid(1, out.size() - 4));
        out = BuildFrame(payload.left(4) + other + payload.mid(6)).toLatin1();
    }
    if (isFrame && faults_.corruptChecksum) {
        const int wrong = (out.mid(out.size() - 3, 2).toInt(nullptr, 16) + 1) & 0xFF;
        out.replace(out.size() - 3, 2, hexByte(wrong).toLatin1());
    }
    if (isFrame && faults_.lowerCaseHex)
        out = out.toLower();
    return (faults_.echoRequest ? request : QByteArray()) + faults_.noise + out;
}

void VirtualPanel::send(const QByteArray& bytes, int delayMs)
{
    const qint64 due = clock_() + delayMs;
    auto at = tx_.end();
    while (at != tx_.begin() && std::prev(at)->due > due)
        --at;
    tx_.insert(at, Outgoing{due, bytes});
}
