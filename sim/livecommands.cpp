#include "livecommands.h"

#include "livestate.h"

#include <QStringList>
#include <array>

namespace {

constexpr int OpenFrom = 144; // codes from here on are an open loop

// A loop away from its normal value: open when it is normally closed, closed on
// its end-of-line resistor when it is normally open (zones left unused).
int trippedLoop(const LiveState& live, int zone)
{
    return live.normalLoop(zone) < OpenFrom ? LiveState::OpenLoop : LiveState::QuietLoop;
}

struct LiveCommand {
    const char* word;
    const char* help;
    void (*apply)(LiveState& live, int zone);
};

const std::array<LiveCommand, 6> liveCommands = {{
    {"alarm", "arm zone N and break its loop: the zone goes into alarm",
     [](LiveState& l, int z) {
         l.setArmed(z, true);
         l.setLoop(z, trippedLoop(l, z));
     }},
    {"violate", "break the loop of zone N (open, or closed if it is normally open)",
     [](LiveState& l, int z) { l.setLoop(z, trippedLoop(l, z)); }},
    {"restore", "put the loop of zone N back to its normal value; an alarm stays until disarmed",
     [](LiveState& l, int z) { l.setLoop(z, l.normalLoop(z)); }},
    {"normal", "put the loop of zone N back to its normal value and disarm it, ending its alarm",
     [](LiveState& l, int z) {
         l.setLoop(z, l.normalLoop(z));
         l.setArmed(z, false);
     }},
    {"arm", "arm zone N", [](LiveState& l, int z) { l.setArmed(z, true); }},
    {"disarm", "disarm zone N, ending its alarm", [](LiveState& l, int z) { l.setArmed(z, false); }},
}};

} // namespace

QString ApplyLiveCommand(LiveState& live, const QString& line)
{
    const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    for (const LiveCommand& command : liveCommands) {
        if (words.first() != QLatin1String(command.word))
            continue;
        bool isNumber = false;
        const int zone = words.value(1).toInt(&isNumber);
        if (words.size() != 2 || !isNumber || zone < 1 || zone > LiveState::Zones)
            return QStringLiteral("'%1' takes one zone number, 1 to %2").arg(words.first()).arg(LiveState::Zones);
        command.apply(live, zone);
        return {};
    }
    return QStringLiteral("unknown command '%1'").arg(words.first());
}

QString LiveCommandsHelp()
{
    QString text;
    for (const LiveCommand& command : liveCommands)
        text += QStringLiteral("  %1  %2\n").arg(QString::fromLatin1(command.word) + " N", -10).arg(command.help);
    return text;
}
