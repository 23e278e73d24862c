#pragma once

#include <QString>

// The serial port's fixed error texts, the same on every platform.
namespace PortTexts {
inline const QString NotFound = QStringLiteral("Попытка открыть несуществующий COM-порт");
inline const QString Busy = QStringLiteral("Порт занят другой программой");
inline const QString Write = QStringLiteral("Ошибка записи в порт");
inline const QString Read = QStringLiteral("Ошибка чтения из порта");
inline const QString SetupComm = QStringLiteral("Ошибка функции SetupComm");
inline const QString SetCommState = QStringLiteral("Ошибка функции SetCommState");
inline const QString SetCommTimeouts = QStringLiteral("Ошибка функции SetCommTimeouts");
inline const QString PurgeComm = QStringLiteral("Ошибка функции PurgeComm");
inline const QString ChangeWhileOpen = QStringLiteral("Нельзя менять свойство, пока порт открыт");
inline const QString Registry = QStringLiteral("Ошибка обращения к системному реестру (возможно отсутствуют COM порты)");
} // namespace PortTexts
