#pragma once

#include <QString>

// The window's own fixed texts, written once.
namespace AppTexts {

inline const QString Title = QStringLiteral("QZV-6 Configurator");
inline const QString PortsRefreshed = QStringLiteral("Порти оновлено!");
inline const QString StoppedByUser = QStringLiteral("Зупинено користувачем!");
inline const QString ZeroDelays = QStringLiteral("У всех зон нулевая задержка");
inline const QString StatePeriodUnlocked = QStringLiteral("Разрешено изменение периода передачи состояния зон!");
inline const QString AllZonesNO = QStringLiteral("Все зоны НР!");
inline const QString RenumberReminder =
    QStringLiteral("Не забудьте перепроверить, одна из зон только один раз может быть выбрана!");

// Captions and hints keep the "\r" line breaks of their tables; Qt breaks lines at "\n".
inline QString Display(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace AppTexts
