#include "transfer/panelread.h"

#include "link/frames.h"
#include "link/panellink.h"
#include "model/catalogue.h"
#include "model/encodings.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "transfer/transfersteps.h"

namespace {

constexpr int ZoneCount = 16;
// The temperature is asked for between the thermostat thresholds and the next flags.
constexpr int TemperatureAfterBlock = 52;
const QString TemperaturePayload = QStringLiteral("0021");
constexpr int TemperatureWordByte = 8;

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

class BlockWalk {
public:
    BlockWalk(PanelLink& link, SettingsStore& scratch, const ConfigReadOptions& options, QString* temperature)
        : link_(link), scratch_(scratch), options_(options), temperature_(temperature)
    {
    }

    bool run()
    {
        clearPanelFlags(scratch_);
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
            if (block.number == TemperatureAfterBlock && options_.readTemperature && temperature_)
                readTemperature();
        }
        return true;
    }

private:
    bool exchange(const QString& payload)
    {
        link_.RequestText = payload;
        link_.ReplyExchange();
        return !link_.LinkFailed;
    }

    bool readBlock(const MemoryBlock& block)
    {
        if (!exchange(block.readPayload()))
            return false;
        if (DecodeBlockReply(block, link_.ReplyText, scratch_, options_.locale))
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
                *temperature_ = TemperatureWord::decode(quint16(*word), options_.locale);
        }
        link_.LinkFailed = false;
    }

    PanelLink& link_;
    SettingsStore& scratch_;
    const ConfigReadOptions& options_;
    QString* temperature_;
};

} // namespace

bool ReadPanelInto(PanelLink& link, SettingsStore& scratch, const ConfigReadOptions& options, QString* temperature)
{
    return BlockWalk(link, scratch, options, temperature).run();
}
