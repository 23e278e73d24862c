#pragma once

#include "service/monitorstatus.h"

#include <QObject>
#include <deque>

// One accepted status block and the wall-clock time it came, in ms since the epoch.
struct RecordedBlock {
    qint64 time;
    MonitorStatus status;
};

// Every accepted status block of the monitor while it runs, kept as it came:
// 64 bytes a block, so an 8-hour session at two blocks a second stays near 4 MB.
// The readings (supply, battery, temperature, zones, outputs, tampers, faults)
// are decoded from the blocks when they are plotted or exported.
class MonitorRecording : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void append(qint64 time, const MonitorStatus& status);
    void clear();

    qsizetype size() const { return qsizetype(blocks_.size()); }
    bool isEmpty() const { return blocks_.empty(); }
    const RecordedBlock& at(qsizetype index) const { return blocks_[size_t(index)]; }

signals:
    void appended();
    void cleared();

private:
    // A deque grows by fixed chunks: no doubling, no copying of hours of blocks.
    std::deque<RecordedBlock> blocks_;
};
