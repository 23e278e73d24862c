#include "transfer/configread.h"

#include "link/frames.h"
#include "link/panellink.h"
#include "model/catalogue.h"
#include "model/encodings.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/transfersteps.h"

namespace {

constexpr int ZoneCount = 16;
constexpr int ReadMaximum = 87;
// The temperature is asked for between the thermostat thresholds and the next flags.
constexpr int TemperatureAfterBlock = 52;
const QString TemperaturePayload = QStringLiteral("0021");
constexpr int TemperatureWordByte = 8;
const QString TemperatureFrame = QStringLiteral("sGroupBox_DS18B20");

// Flags are filled only from what the panel returns, so every flag of the map
// and the installer password start out cleared.
void clearPanelFlags(SettingsStore& store)
{
    for (const MemoryBlock& block : DeviceMemoryMap()) {
        for (const BlockField& field : block.fields) {
            if (field.encoding == Encoding::FlagBit)
                store.setFlag(field.setting, false);
            else if (field.encoding == Encoding::ZoneBits)
                for (int zone = 1; zone <= ZoneCount; ++zone)
                    store.setFlag(ZoneMemberName(field.setting, zone), false);
        }
    }
    store.setText(QStringLiteral("EeAdr_PassInstalator"), QString());
}

class Reader {
public:
    Reader(PanelLink& link, SettingsStore& store, const ConfigReadOptions& options)
        : link_(link), host_(link.host()), store_(store), options_(options)
    {
    }

    bool run()
    {
        host_.sound(Sound::Information);
        link_.PortSetup();
        PrepareProgress(link_, ReadMaximum);
        link_.CancelRequested = false;
        if (!link_.Login())
            return false;
        host_.setTitle(QStringLiteral("QZV-6 Configurator - [*.qzv]"));
        clearPanelFlags(store_);
        link_.TransferProgress.show();
        if (!readBlocks())
            return false;
        FinishTransfer(link_, QStringLiteral("Прочитано успешно."));
        return true;
    }

private:
    bool exchange(const QString& payload)
    {
        link_.RequestText = payload;
        link_.ReplyExchange();
        return !link_.LinkFailed;
    }

    bool readBlocks()
    {
        bool codesErased = false;
        bool codesTested = false;
        for (const MemoryBlock& block : DeviceMemoryMap()) {
            if (block.kind == BlockKind::ContactId && !codesTested) {
                if (!exchange(ContactIdTestPayload()))
                    return false;
                codesTested = true;
                codesErased = ContactIdsErased(link_.ReplyText);
            }
            if (block.kind == BlockKind::ContactId && codesErased)
                continue;
            if (!readBlock(block))
                return false;
            if (block.number == TemperatureAfterBlock && options_.readTemperature)
                readTemperature();
        }
        return true;
    }

    bool readBlock(const MemoryBlock& block)
    {
        if (!exchange(block.readPayload()))
            return false;
        if (DecodeBlockReply(block, link_.ReplyText, store_, options_.locale))
            return true;
        // It passed the frame tests yet lacks the block's bytes: decoding it would invent values.
        StopTransfer(link_, QStringLiteral("ППК прислал неполный ответ на запрос %1. Чтение прервано.")
                                .arg(block.readPayload()));
        return false;
    }

    // Optional: a panel that does not answer it must not cost the rest of the read,
    // so it is tried without the give-up steps and the port stays open.
    void readTemperature()
    {
        link_.RequestText = TemperaturePayload;
        if (link_.ReplyExchangeQuietly()) {
            if (const std::optional<int> word = replyWord(link_.ReplyText, TemperatureWordByte))
                host_.setControlText(TemperatureFrame,
                                     QStringLiteral("Контроллер температуры (%1C)")
                                         .arg(TemperatureWord::decode(quint16(*word), options_.locale)));
        }
        link_.LinkFailed = false;
    }

    PanelLink& link_;
    Host& host_;
    SettingsStore& store_;
    const ConfigReadOptions& options_;
};

} // namespace

bool ReadConfiguration(PanelLink& link, SettingsStore& store, const ConfigReadOptions& options)
{
    bool completed = false;
    link.runOperation([&] { completed = Reader(link, store, options).run(); });
    return completed;
}
