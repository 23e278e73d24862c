#pragma once

#include "fakehost.h"
#include "qstringprinter.h"
#include "link/panellink.h"
#include "model/settingsstore.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>

// An in-process panel, a recording host and the link between them, on one
// virtual clock.
class TransferTest : public ::testing::Test {
protected:
    TransferTest();

    // Every panel Setting at a value of its own, drawn from the seed; all fit the map.
    void fillWithVariety(SettingsStore& target, unsigned seed) const;
    // The panel memory that holds what target holds, block by block as the write encodes it.
    QByteArray imageOf(const SettingsStore& target) const;
    // The panel Settings (and user codes) in which a and b differ.
    static QStringList panelDifferences(const SettingsStore& a, const SettingsStore& b);
    // Every value the store holds, Settings, user table and comment, as "name=value" lines.
    static QStringList everyValue(const SettingsStore& store);
    // Memory bytes of the blocks' addresses in which a and b differ, as "0x0123".
    static QStringList mappedDifferences(const QByteArray& a, const QByteArray& b);
    // Requests of the panel's log with this payload.
    int sent(const QString& payload) const { return int(panel.log.count(payload)); }

    const QLocale locale{QLocale::Russian, QLocale::Russia}; // decimal comma
    FakeHost host;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel};
    PanelLink link{port, host};
    SettingsStore store;
};
