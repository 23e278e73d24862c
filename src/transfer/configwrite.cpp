#include "transfer/configwrite.h"

#include "link/frames.h"
#include "link/panellink.h"
#include "model/catalogue.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/transfersteps.h"

#include <QLocale>

namespace {

constexpr int WriteMaximum = 88;
constexpr qsizetype MinimumPasswordLength = 3;
const QString RestartPayload = QStringLiteral("0008");
constexpr int WaitBeforeRestart = 10;
const QString InstallerPassword = QStringLiteral("EeAdr_PassInstalator");

bool isTemperature(const QString& setting)
{
    for (const MemoryBlock& block : DeviceMemoryMap())
        for (const BlockField& field : block.fields)
            if (field.encoding == Encoding::TemperatureWord && field.setting == setting)
                return true;
    return false;
}

QString pageOf(const QString& setting)
{
    const SettingDef* def = FindSetting(setting);
    return def ? def->page : QString();
}

// "1-4, 7, 9-16" for the zones of one family.
QString zoneRanges(const QList<int>& zones)
{
    QStringList parts;
    for (qsizetype i = 0; i < zones.size();) {
        qsizetype end = i;
        while (end + 1 < zones.size() && zones.at(end + 1) == zones.at(end) + 1)
            ++end;
        parts << (end == i ? QString::number(zones.at(i))
                           : QStringLiteral("%1-%2").arg(zones.at(i)).arg(zones.at(end)));
        i = end + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// One line per single Setting and one per zone column, in block order.
QString unchosenList(const QStringList& names)
{
    struct Entry {
        const SettingDef* def; // the first member for a zone column
        QList<int> zones;      // empty for a single Setting
    };
    std::vector<Entry> entries;
    for (const QString& name : names) {
        const SettingDef* def = FindSetting(name);
        if (!def)
            continue;
        const bool sameColumn = !def->family.isEmpty() && !entries.empty()
                                && entries.back().def->family == def->family;
        if (sameColumn)
            entries.back().zones << def->zone;
        else
            entries.push_back({def, def->family.isEmpty() ? QList<int>() : QList<int>{def->zone}});
    }
    QStringList lines;
    for (const Entry& entry : entries) {
        lines << (entry.zones.isEmpty()
                      ? QStringLiteral("- %1 (%2)").arg(entry.def->caption, entry.def->name)
                      : QStringLiteral("- %1 (%2_NN), зоны %3")
                            .arg(entry.def->caption, entry.def->family, zoneRanges(entry.zones)));
    }
    return lines.join(QStringLiteral("\r\n"));
}

class Writer {
public:
    Writer(PanelLink& link, const SettingsStore& store, const QLocale& locale)
        : link_(link), host_(link.host()), store_(store), locale_(locale)
    {
    }

    bool run()
    {
        host_.sound(Sound::Information);
        if (!checkValues())
            return false;
        link_.PortSetup();
        PrepareProgress(link_, WriteMaximum);
        link_.CancelRequested = false;
        if (!link_.Login())
            return false;
        link_.TransferProgress.show();
        if (!writeBlocks() || !restart())
            return false;
        FinishTransfer(link_, QStringLiteral("Записано успешно, ППК перезагружен."));
        return true;
    }

private:
    // Everything that can stop the write is settled before the port is touched.
    bool checkValues()
    {
        const std::vector<WriteRefusal> refusals = CheckWritable(store_, locale_);
        for (const WriteRefusal& refusal : refusals) {
            if (isTemperature(refusal.setting)) {
                host_.showPage(pageOf(refusal.setting));
                host_.message(refusal.text);
                return false;
            }
        }
        const QStringList unchosen = UnchosenPanelChoices(store_);
        if (!unchosen.isEmpty())
            host_.message(QStringLiteral("В этих списках ничего не выбрано, в ППК они будут записаны как 0:\r\n")
                          + unchosenList(unchosen));
        if (!host_.confirm(QStringLiteral("Вы уверены что хотите записать?")))
            return false;
        if (store_.text(InstallerPassword).size() < MinimumPasswordLength)
            return refuse(pageOf(InstallerPassword), QStringLiteral("Слишком маленький пароль установщика!"));
        if (!refusals.empty()) {
            QStringList texts;
            for (const WriteRefusal& refusal : refusals)
                texts << refusal.text;
            return refuse(pageOf(refusals.front().setting), texts.join(QStringLiteral("\r\n")));
        }
        return true;
    }

    bool refuse(const QString& page, const QString& text)
    {
        host_.sound(Sound::Simple);
        host_.showPage(page);
        host_.message(text);
        return false;
    }

    bool send(const QString& payload)
    {
        link_.RequestText = BuildFrame(payload);
        link_.AckExchange();
        return !link_.LinkFailed;
    }

    bool writeBlocks()
    {
        for (const MemoryBlock& block : DeviceMemoryMap()) {
            WriteRefusal refusal;
            const std::optional<QString> payload = EncodeBlockPayload(block, store_, locale_, &refusal);
            if (!payload) {
                // Edited into an unwritable value while the write ran: stop before the restart.
                StopTransfer(link_, refusal.text);
                return false;
            }
            if (!send(*payload))
                return false;
        }
        return true;
    }

    bool restart()
    {
        host_.wait(WaitBeforeRestart);
        return send(RestartPayload);
    }

    PanelLink& link_;
    Host& host_;
    const SettingsStore& store_;
    const QLocale& locale_;
};

} // namespace

bool WriteConfiguration(PanelLink& link, const SettingsStore& store, const QLocale& locale)
{
    bool completed = false;
    link.runOperation([&] { completed = Writer(link, store, locale).run(); });
    return completed;
}
