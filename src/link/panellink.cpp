#include "panellink.h"

#include "link/frames.h"

#include <QScopeGuard>

namespace {

constexpr int tryCount = 19;
constexpr int replyLimit = 220;
const QString openingPayload = QStringLiteral("00050144");
constexpr qsizetype maxPasswordLength = 16;

bool isPasswordText(const QString& password)
{
    if (password.size() > maxPasswordLength)
        return false;
    for (const QChar c : password) {
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

bool acknowledged(const QString& reply, const QString& request)
{
    return passesChecksum(reply) && passesAcknowledgement(reply, request);
}

bool answered(const QString& reply, const QString& request)
{
    return passesChecksum(reply) && passesEcho(reply, request);
}

} // namespace

const QString PanelLink::LinkFailureText = QStringLiteral(
    "Не вышло связаться с ЦП !\r\nНужно проверить:\r\n- включение питания ППК;\r\n"
    "- кабель связи;\r\n- выбор СОМ-порта.");

// The two exchange styles differ only in their waits and in the reply they accept.
struct PanelLink::Exchange {
    int waitsOf10;       // the fixed wait before reading, in steps of 10 ms...
    int lastWait;        // ...and a last shorter step
    int pauseAfterMiss;  // before the next try
    bool (*accepts)(const QString& reply, const QString& request);
};

PanelLink::PanelLink(SerialPort& port, Host& host)
    : TransferProgress(host), Trace([h = &host] { return h->now(); }), traced_(port, Trace), port_(traced_), host_(host)
{
}

void PanelLink::PortSetup()
{
    if (port_.close()) {
        port_.setPortName(inputs.portName);
        port_.setSpeedIndex(inputs.speedIndex);
    }
    // A port that reports neither an error nor an open state is a failed set-up.
    if (!port_.open())
        throw EComPort(QStringLiteral("Ошибка функции SetCommState"));
}

void PanelLink::AckExchange()
{
    if (CancelRequested) {
        stopOnCancel();
        return;
    }
    LinkFailed = false;
    ReplyText.clear();
    exchange({5, 7, 30, acknowledged});
}

void PanelLink::ReplyExchange()
{
    if (CancelRequested) {
        stopOnCancel();
        return;
    }
    LinkFailed = false;
    RequestText = BuildFrame(RequestText);
    exchange({3, 0, 10, answered});
}

bool PanelLink::ReplyExchangeQuietly()
{
    if (CancelRequested) {
        stopOnCancel();
        return false;
    }
    LinkFailed = false;
    RequestText = BuildFrame(RequestText);
    LinkFailed = !tryAll({3, 0, 10, answered});
    return !LinkFailed;
}

bool PanelLink::AckExchangeQuietly()
{
    if (CancelRequested) {
        stopOnCancel();
        return false;
    }
    LinkFailed = !tryAll({5, 7, 30, acknowledged});
    return !LinkFailed;
}

void PanelLink::exchange(const Exchange& style)
{
    if (!tryAll(style))
        giveUp();
}

bool PanelLink::tryAll(const Exchange& style)
{
    for (int i = 0; i < tryCount; ++i) {
        if (tryOnce(style)) {
            TransferProgress.step();
            return true;
        }
        host_.wait(style.pauseAfterMiss);
    }
    return false;
}

bool PanelLink::tryOnce(const Exchange& style)
{
    host_.processEvents();
    ReplyText.clear();
    port_.write(RequestText.toLatin1());
    for (int i = 0; i < style.waitsOf10; ++i)
        host_.wait(10);
    if (style.lastWait > 0)
        host_.wait(style.lastWait);
    ReplyText = CleanReply(QString::fromLatin1(port_.read(replyLimit)));
    const bool accepted = style.accepts(ReplyText, RequestText);
    Trace.judge(VerdictOf(ReplyText, accepted));
    return accepted;
}

void PanelLink::giveUp()
{
    port_.close();
    host_.sound(Sound::Error);
    host_.message(LinkFailureText);
    TransferProgress.setPosition(0);
    TransferProgress.close();
    LinkFailed = true;
}

void PanelLink::stopOnCancel()
{
    port_.close();
    TransferProgress.setPosition(0);
    TransferProgress.close();
    LinkFailed = true;
}

bool PanelLink::Login()
{
    // A password the panel cannot hold would break the frame and end as a
    // misleading link failure after 19 tries; it is refused before anything is sent.
    if (!isPasswordText(inputs.password))
        return refuseLogin(QStringLiteral("Неверный пароль!"));
    for (int i = 0; i < 3; ++i) {
        RequestText = BuildFrame(openingPayload);
        AckExchange();
        if (LinkFailed)
            return false;
    }
    RequestText = QStringLiteral("003903") + hexByte(int(inputs.password.size()));
    for (const QChar c : inputs.password)
        RequestText += u'0' + QString(c);
    ReplyExchange();
    if (LinkFailed)
        return false;

    const QString status = ReplyText.mid(25, 2);
    if (status == u"FF")
        return refuseLogin(QStringLiteral(
            "Внимание!\r\nВ приборе другая версия программного обеспечения!\r\n"
            "Или, Вы всунули кабель не в тот разъем!"));
    if (status == u"AA")
        return refuseLogin(QStringLiteral("Неверный пароль!"));
    if (status != u"03")
        return refuseLogin(QStringLiteral("Не та версия."));
    return true;
}

bool PanelLink::refuseLogin(const QString& text)
{
    host_.message(text);
    TransferProgress.close();
    port_.close();
    return false;
}

bool PanelLink::runOperation(const std::function<void()>& operation)
{
    if (busy_)
        return false;
    busy_ = true;
    const auto release = qScopeGuard([this] { busy_ = false; });
    try {
        operation();
    } catch (const EComPort& error) {
        // A vanished adapter must not leave the progress window up or the port held.
        try {
            port_.close();
        } catch (const EComPort&) {
        }
        TransferProgress.setPosition(0);
        TransferProgress.close();
        host_.message(error.text());
    }
    return true;
}
