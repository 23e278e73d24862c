#include "transfer/configwrite.h"

#include "link/frames.h"
#include "link/panellink.h"
#include "model/catalogue.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/transfersteps.h"
#include "transfer/unchosennotice.h"

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
            host_.message(UnchosenChoicesNotice(unchosen));
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
