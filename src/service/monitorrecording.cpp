#include "service/monitorrecording.h"

void MonitorRecording::append(qint64 time, const MonitorStatus& status)
{
    blocks_.push_back({time, status});
    emit appended();
}

void MonitorRecording::clear()
{
    blocks_.clear();
    blocks_.shrink_to_fit();
    emit cleared();
}
