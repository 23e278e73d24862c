#include "ui/panelfinder.h"

#include "link/baudrates.h"
#include "link/host.h"
#include "link/panellink.h"
#include "ui/portchoice.h"

#include <QComboBox>

namespace {

QStringList portsWith(const QList<PortProbe>& results, PortProbe::Outcome outcome)
{
    QStringList names;
    for (const PortProbe& probe : results)
        if (probe.outcome == outcome)
            names << (probe.error.isEmpty() ? probe.port : probe.port + " (" + probe.error + ')');
    return names;
}

} // namespace

QString PanelSearchReport(const QList<PortProbe>& results, int searchedCount, qint32 baud)
{
    if (searchedCount == 0)
        return QStringLiteral("В списке нет портов.\r\nПодключите адаптер и обновите список (Ctrl+Q).");
    const QStringList answered = portsWith(results, PortProbe::Outcome::Answered);
    const QStringList silent = portsWith(results, PortProbe::Outcome::Silent);
    const QStringList unavailable = portsWith(results, PortProbe::Outcome::Unavailable);
    QStringList lines;
    if (answered.isEmpty()) {
        lines << QStringLiteral("ППК не ответил ни на одном порту (скорость %1 бит/с).").arg(baud)
              << QStringLiteral("Нужно проверить:") << QStringLiteral("- кабель связи и его разъем на плате;")
              << QStringLiteral("- включение питания ППК;")
              << QStringLiteral("- скорость порта (обычно 115200).");
    } else {
        lines << QStringLiteral("ППК ответил на порту: %1.").arg(answered.join(QStringLiteral(", ")));
        if (answered.size() > 1)
            lines << QStringLiteral("Выбран первый: %1.").arg(answered.first());
    }
    if (!silent.isEmpty())
        lines << QStringLiteral("Не ответили: %1.").arg(silent.join(QStringLiteral(", ")));
    if (!unavailable.isEmpty())
        lines << QStringLiteral("Не открылись: %1.").arg(unavailable.join(QStringLiteral(", ")));
    if (results.size() < searchedCount)
        lines << QStringLiteral("Поиск остановлен: опрошено портов %1 из %2.").arg(results.size()).arg(searchedCount);
    return lines.join(QStringLiteral("\r\n"));
}

void FindPanel(PanelLink& link, Host& host, QComboBox& portList)
{
    // The names the link opens, not the names the list shows.
    const QStringList ports = PortNamesOf(portList);
    host.sound(Sound::Information);
    const std::optional<QList<PortProbe>> results = SearchPanel(link, ports);
    if (!results) {
        host.sound(Sound::Simple);
        return;
    }
    for (const PortProbe& probe : *results) {
        if (probe.outcome == PortProbe::Outcome::Answered) {
            ChoosePortByName(portList, probe.port);
            break;
        }
    }
    // The message names each port as the list shows it.
    QList<PortProbe> shown = *results;
    for (PortProbe& probe : shown)
        if (const qsizetype index = ports.indexOf(probe.port); index >= 0)
            probe.port = portList.itemText(int(index));
    const int speed = qBound(0, link.inputs.speedIndex, int(BaudRates.size()) - 1);
    host.message(PanelSearchReport(shown, int(ports.size()), BaudRates[size_t(speed)]));
}
