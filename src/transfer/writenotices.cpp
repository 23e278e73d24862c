#include "transfer/writenotices.h"

#include <QDir>

namespace {

QString BackupLine(const QString& backupPath)
{
    return backupPath.isEmpty()
               ? QString()
               : QStringLiteral("\r\nРезервная копия прежней конфигурации ППК: %1").arg(QDir::toNativeSeparators(backupPath));
}

} // namespace

QString PartialWriteNotice(int blocksWritten, int blocks, const QString& backupPath)
{
    QString text = QStringLiteral(
                       "Запись прервана: ППК принял %1 из %2 блоков и хранит часть новой конфигурации вперемешку "
                       "со старой. ППК не перезагружен.")
                       .arg(blocksWritten)
                       .arg(blocks);
    if (backupPath.isEmpty())
        return text + QStringLiteral(" Повторите запись, чтобы записать конфигурацию целиком.");
    return text
        + QStringLiteral(" Повторите запись, чтобы записать новую конфигурацию целиком, или откройте резервную копию "
                         "%1 и запишите её, чтобы вернуть прежнюю.")
              .arg(QDir::toNativeSeparators(backupPath));
}

QString WrittenNotice(const QString& backupPath)
{
    return backupPath.isEmpty() ? QString() : QStringLiteral("Записано, ППК перезагружен.") + BackupLine(backupPath);
}

QString VerifiedNotice(const QString& backupPath)
{
    return QStringLiteral("Запись проверена: ППК перезагружен и хранит ровно то, что было записано.")
        + BackupLine(backupPath);
}

QString UnverifiedNotice(const QString& backupPath)
{
    return QStringLiteral("Записано, ППК перезагружен, но запись не проверена: прочитать ППК после перезагрузки "
                          "не удалось. Прочитайте его, когда он будет на связи.")
        + BackupLine(backupPath);
}

QString ReadBackDiffersText(const std::vector<PanelDifference>& differences, const QString& backupPath)
{
    return QStringLiteral("Внимание! ППК перезагружен, но хранит не то, что было записано (%1):\r\n").arg(differences.size())
        + DifferenceLines(differences, QStringLiteral("записано"), QStringLiteral("прочитано")).join(QStringLiteral("\r\n"))
        + BackupLine(backupPath);
}

QString BackupFailedText(const QString& problem)
{
    return QStringLiteral("Резервная копия не сохранена, в ППК ничего не записано.\r\n") + problem;
}

QString NoAnswerAfterRestartText()
{
    return QStringLiteral("ППК не ответил в течение 10 с после перезагрузки: запись не проверена.");
}
