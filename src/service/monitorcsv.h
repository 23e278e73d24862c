#pragma once

#include "service/monitorrecording.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

// The recording as CSV: one row per block, a header naming every column,
// times in ISO 8601 local time with its offset, numbers with a decimal point.
QStringList MonitorCsvHeader();
QStringList MonitorCsvRow(const RecordedBlock& block);
// Fields joined by commas; a field holding a comma, a quote or a line break is quoted.
QString CsvLine(const QStringList& fields);

// The whole recording into a file, written whole or not at all; the reason when it cannot be.
std::optional<QString> SaveMonitorCsv(const MonitorRecording& recording, const QString& path);

// Rows written as the blocks come, each flushed, so that a session cut short keeps its rows.
class MonitorCsvStream {
public:
    // The header is written at once; the reason when the file cannot be created.
    std::optional<QString> open(const QString& path);
    std::optional<QString> append(const RecordedBlock& block);

private:
    std::optional<QString> writeLine(const QStringList& fields);

    QFile file_;
};
