#pragma once

#include "service/monitorstatus.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The monitor page's picture as lines of text, for the command line: group by
// group in the page's order, each label's text on a line of its own, then the
// lamps as "SwitchLed_GR_1=on" and the underlined keypad button. Like the page,
// it starts from the design captions and keeps a text that a block leaves alone.
class MonitorListing {
public:
    MonitorListing();

    void apply(const MonitorView& view);
    QStringList lines() const;

private:
    QHash<QString, QString> texts_;
    QHash<QString, bool> lamps_;
    QString underlinedKey_;
};
