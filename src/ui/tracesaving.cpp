#include "ui/tracesaving.h"

#include "link/host.h"
#include "link/protocoltrace.h"

#include <QDateTime>
#include <QDir>

void SaveProtocolTrace(const ProtocolTrace& trace, Host& host, const QString& folder)
{
    const QString name = QStringLiteral("qzv6-trace-%1.txt")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString path = host.askSaveFile({QStringLiteral("Сохранить журнал обмена"), QDir(folder).filePath(name),
                                           {QStringLiteral("Журнал обмена (*.txt)")}, QStringLiteral("txt"), true});
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = trace.saveTo(path)) {
        host.message(QStringLiteral("Не удалось сохранить журнал обмена в файл\r\n%1\r\n%2").arg(path, *error));
        return;
    }
    host.message(QStringLiteral("Журнал обмена сохранён (строк: %1):\r\n%2").arg(trace.size()).arg(path));
}
