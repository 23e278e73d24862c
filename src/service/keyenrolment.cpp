#include "service/keyenrolment.h"

#include "link/frames.h"
#include "link/panellink.h"

#include <QRegularExpression>

namespace {

constexpr int ReplyLimit = 120;
const QString requestCommand = QStringLiteral("0046");
const QString completionStart = QStringLiteral("p0047");

bool isDecimal(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

bool isHexadecimal(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9A-F]*$"));
    return digits.match(text).hasMatch();
}

} // namespace

const QString KeyEnrolment::LabelName = QStringLiteral("Lable_iButton");
const QString KeyEnrolment::IdleCaption = QStringLiteral("4. Приложите ключ или инициируйте передачу");

KeyEnrolment::KeyEnrolment(PanelLink& link, std::function<void()> readConfiguration, QObject* parent)
    : QObject(parent), link_(link), readConfiguration_(std::move(readConfiguration))
{
    Timer_iButton.setObjectName("Timer_iButton");
    Timer_iButton.setInterval(1000);
    connect(&Timer_iButton, &QTimer::timeout, this, &KeyEnrolment::Timer_iButtonTimer);
}

void KeyEnrolment::start(const QString& user, const QString& access)
{
    // The user field lets "A" to "F" through, and a remembered input may hold anything:
    // such a text would make a frame the panel cannot read, so nothing is sent.
    if (!isDecimal(user) || user.size() > 2) {
        link_.host().message("Номер пользователя \"" + user + "\" не является числом.\r\n"
                             "Нужно ввести номер пользователя\r\nот 01 до 30.");
        return;
    }
    if (!isHexadecimal(access) || access.size() > 2) {
        link_.host().message("Доступ \"" + access + "\" задан неверно.\r\n"
                             "Допустимы цифры 0-9 и буквы A-F.");
        return;
    }
    // Refused like every other click while the port is taken, so the press is not lost unheard.
    const bool ran = link_.runOperation([&] {
        link_.host().sound(Sound::Information);
        link_.PortSetup();
        link_.CancelRequested = false;
        link_.RequestText = BuildFrame(requestCommand + hexByte(user.toInt()) + access);
        link_.AckExchange();
        if (link_.LinkFailed)
            return;
        EnrolmentCountdown = ListenSeconds;
        Timer_iButton.start();
    });
    if (!ran)
        link_.host().sound(Sound::Simple);
}

void KeyEnrolment::Timer_iButtonTimer()
{
    --EnrolmentCountdown;
    link_.host().setControlText(LabelName, "ППК принял команду готовности записи ключа.\r\nПриложите ключ: "
                                               + QString::number(EnrolmentCountdown) + " сек.");
    link_.host().processEvents();
    // While another operation holds the port this second goes by unheard; a port
    // error is reported and the countdown goes on.
    bool completed = false;
    link_.runOperation([&] { completed = completionArrived(); });
    if (completed)
        complete();
    else if (EnrolmentCountdown <= 0)
        timeOut();
}

bool KeyEnrolment::completionArrived()
{
    QString received;
    if (link_.port().open())
        received = QString::fromLatin1(link_.port().read(ReplyLimit));
    received = CleanReply(received);
    // What follows "0047" is not looked at.
    return received.startsWith(completionStart) && passesChecksum(received);
}

void KeyEnrolment::complete()
{
    Timer_iButton.stop();
    readConfiguration_();
    link_.host().message(QStringLiteral("Ключ запомнен.\r\nНастройки ЦП повторно прочитаны.\r\n"
                                        "ЦП, через оставшееся время, автоматически выйдет из режима "
                                        "если не будет продолжена запись."));
    link_.host().setControlText(LabelName, IdleCaption);
}

void KeyEnrolment::timeOut()
{
    Timer_iButton.stop();
    link_.host().setControlText(LabelName, IdleCaption);
    link_.host().sound(Sound::Error);
    link_.host().message(QStringLiteral("Не вышло запомнить ключ!"));
    link_.runOperation([this] { link_.port().close(); });
}
