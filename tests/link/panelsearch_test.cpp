// The search for the panel over real pseudo-terminals, against qzv6-panel-sim, in real time.
#include "link/panelsearch.h"

#include "link/panellink.h"
#include "link/portlist.h"
#include "link/qtserialport.h"
#include "panelsimprocess.h"
#include "qstringprinter.h"
#include "realtimehost.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

// Found by the test's printer through the type's namespace.
void PrintTo(const PortProbe& probe, std::ostream* os)
{
    *os << probe.port.toStdString() << " " << int(probe.outcome) << " " << probe.error.toStdString();
}

namespace {

using Outcome = PortProbe::Outcome;

// The lines of the trace after the time column.
QStringList traceEntries(const PanelLink& link)
{
    QStringList out;
    for (const QString& line : link.Trace.lines())
        out << line.section(QStringLiteral(" ms  "), 1);
    return out;
}

TEST(PanelSearch, NamesTheAnsweringSilentBusyAndMissingPortsAndSendsOnlyTheOpeningRequest)
{
    PanelSimProcess silent({"--silent"});
    PanelSimProcess panel;
    PanelSimProcess busyPanel;
    ASSERT_FALSE(silent.ptyPath().isEmpty() || panel.ptyPath().isEmpty() || busyPanel.ptyPath().isEmpty());
    QtSerialPort holder;
    holder.setPortName(busyPanel.ptyPath());
    ASSERT_TRUE(holder.open());

    RealTimeHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.portName = QStringLiteral("ttyUSB0");
    const QString announced = VirtualPanelFolder() + "/" + panel.name();
    const QStringList ports{silent.ptyPath(), busyPanel.ptyPath(), QStringLiteral("ttyQZV6-none"), announced};

    const std::optional<QList<PortProbe>> results = SearchPanel(link, ports);

    ASSERT_TRUE(results.has_value());
    const QList<PortProbe> expected{
        {silent.ptyPath(), Outcome::Silent, {}},
        {busyPanel.ptyPath(), Outcome::Unavailable, QStringLiteral("Порт занят другой программой")},
        {QStringLiteral("ttyQZV6-none"), Outcome::Unavailable, QStringLiteral("Попытка открыть несуществующий COM-порт")},
        {announced, Outcome::Answered, {}},
    };
    EXPECT_EQ(*results, expected);
    EXPECT_TRUE(host.messages.isEmpty()) << "quiet: no link failure box";
    EXPECT_TRUE(host.sounds.isEmpty());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.busy());

    // Three tries on the silent port, one on the panel, and nothing else.
    const QStringList sent = traceEntries(link).filter(QRegularExpression("^> "));
    EXPECT_EQ(sent, QStringList(4, QStringLiteral("> p000501448E;")));
    EXPECT_EQ(traceEntries(link).filter("-- нет ответа").size(), 3);
    EXPECT_EQ(traceEntries(link).filter("-- принят").size(), 1);
}

TEST(PanelSearch, SendsNothingButTheOpeningRequestToAPanelWhateverItAnswers)
{
    FakeHost host;
    VirtualPanel panel([&host] { return host.clock; });
    VirtualPanelPort port(panel, QStringLiteral("QZV-6-virtual"));
    PanelLink link(port, host);
    const struct {
        const char* name;
        PanelFaults faults;
        Outcome outcome;
        int requests;
    } cases[] = {
        {"answers", {}, Outcome::Answered, 1},
        {"answers the third", {.answerAfter = 2}, Outcome::Answered, 3},
        {"wrong checksum", {.corruptChecksum = true}, Outcome::Silent, 3},
        {"another command's echo", {.echoOtherCommand = true}, Outcome::Silent, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        panel.log.clear();
        panel.setFaults(c.faults);
        const auto results = SearchPanel(link, {QStringLiteral("QZV-6-virtual")});
        ASSERT_TRUE(results.has_value());
        ASSERT_EQ(results->size(), 1);
        EXPECT_EQ(results->first().outcome, c.outcome);
        EXPECT_EQ(panel.log, QStringList(c.requests, QStringLiteral("00050144")));
        EXPECT_FALSE(panel.loggedIn());
    }
}

TEST(PanelSearch, WaitsForARunningOperationAndStopsOnEsc)
{
    FakeHost host;
    VirtualPanel panel([&host] { return host.clock; });
    VirtualPanelPort port(panel);
    PanelLink link(port, host);
    link.inputs.portName = QStringLiteral("ttyUSB0");
    std::optional<QList<PortProbe>> inner;
    link.runOperation([&] { inner = SearchPanel(link, {QStringLiteral("a")}); });
    EXPECT_FALSE(inner.has_value());
    EXPECT_TRUE(panel.log.isEmpty());

    // Esc during the first port's tries: the next port is not opened.
    host.onProcessEvents = [&] { link.CancelRequested = true; };
    const auto results = SearchPanel(link, {QStringLiteral("a"), QStringLiteral("b")});
    ASSERT_TRUE(results.has_value());
    EXPECT_EQ(results->size(), 1);
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.portName(), "ttyUSB0") << "the window's choice again";
}

} // namespace
