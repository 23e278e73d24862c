#include "model/catalogue.h"
#include "model/encodings.h"
#include "model/inputrules.h"
#include "model/memorymap.h"
#include "model/settinglabel.h"
#include "model/settingsstore.h"

#include <algorithm>

namespace {

constexpr int ReplyDataStart = 7; // 0-based: "p", four characters, the command code
constexpr int ReplyTrailer = 3;   // checksum and ";"

// The block's data digits of a reply, or nullopt when the reply does not hold them.
std::optional<QString> ReplyData(const QString& replyText, int length)
{
    if (replyText.size() < ReplyDataStart + 2 * length + ReplyTrailer)
        return std::nullopt;
    const QString digits = replyText.mid(ReplyDataStart, 2 * length);
    // The panel writes upper-case digits only, the same set as the code texts.
    if (!std::all_of(digits.begin(), digits.end(), IsCodeChar))
        return std::nullopt;
    return digits;
}

quint8 ByteAt(const QString& digits, int k)
{
    return quint8(digits.mid(2 * k, 2).toUInt(nullptr, 16));
}

ZoneBits::Zones ColumnFlags(const SettingsStore& store, const QString& family)
{
    ZoneBits::Zones zones{};
    for (int zone = 1; zone <= 16; ++zone)
        zones[zone - 1] = store.flag(ZoneMemberName(family, zone));
    return zones;
}

bool IsDigitEncoding(Encoding encoding)
{
    return encoding == Encoding::CodeDigits || encoding == Encoding::InstallerCodeBlock ||
           encoding == Encoding::UserRecord;
}

// The digits of a block that holds one code, password or user record.
std::optional<QString> EncodeDigits(const BlockField& field, const SettingsStore& store)
{
    switch (field.encoding) {
    case Encoding::CodeDigits: return CodeDigits::encode(store.text(field.setting));
    case Encoding::InstallerCodeBlock: return InstallerCodeBlock::encode(store.text(field.setting));
    default: return UserRecord::encode(store.cell(field.row, 1));
    }
}

// Puts a byte-sized field into the block's bytes; false when its value does not fit.
bool EncodeByteField(const BlockField& field, const SettingsStore& store, const QLocale& locale,
                     std::vector<quint8>& bytes)
{
    quint8& byte = bytes[field.offset];
    switch (field.encoding) {
    case Encoding::IndexByte: byte = IndexByte::encode(store.choice(field.setting)); return true;
    case Encoding::NumberByte: byte = NumberByte::encode(store.choice(field.setting)); return true;
    case Encoding::TmModeByte: byte = TmModeByte::encode(store.choice(field.setting)); return true;
    case Encoding::FlagBit: byte |= FlagBit::encode(store.flag(field.setting), field.bit); return true;
    case Encoding::ZoneBits: {
        const auto pair = ZoneBits::encode(ColumnFlags(store, field.setting));
        std::copy(pair.begin(), pair.end(), bytes.begin() + field.offset);
        return true;
    }
    case Encoding::TemperatureWord: {
        const auto word = TemperatureWord::encode(store.text(field.setting), locale);
        if (!word)
            return false;
        byte = quint8(*word >> 8);
        bytes[field.offset + 1] = quint8(*word & 0xFF);
        return true;
    }
    default: return true; // an unused bit stays 0
    }
}

QString CodeOwner(const QString& setting)
{
    const SettingDef* def = FindSetting(setting);
    return def->zone ? QStringLiteral("зоны %1 (%2)").arg(def->zone).arg(def->caption)
                     : QStringLiteral("входа в помещение");
}

// A number the panel's word cannot hold is not a separator problem: it gets its own message.
WriteRefusal TemperatureRefusal(const QString& setting, const SettingsStore& store, const QLocale& locale)
{
    const QString text = store.text(setting);
    if (!TemperatureWord::isNumberText(text, locale))
        return {setting, 0, QStringLiteral("Проверте формат температуры! (возможно нужна зяпятая вместо точки)")};
    const QString largest = TemperatureWord::largestText(locale);
    QString label = SettingLabel(setting);
    if (label.endsWith(u':'))
        label.chop(1);
    return {setting, 0,
            QStringLiteral("Температура «%1» (%2) вне допустимого диапазона -%3 … %3!")
                .arg(label, text, largest)};
}

WriteRefusal RefusalFor(const BlockField& field, const SettingsStore& store, const QLocale& locale)
{
    switch (field.encoding) {
    case Encoding::TemperatureWord: return TemperatureRefusal(field.setting, store, locale);
    case Encoding::InstallerCodeBlock:
        return {field.setting, 0,
                QStringLiteral("Пароль установщика должен содержать не более 26 символов 0-9, A-F!")};
    case Encoding::CodeDigits:
        return {field.setting, 0,
                QStringLiteral("Код события %1 должен содержать не более 4 символов 0-9, A-F!")
                    .arg(CodeOwner(field.setting))};
    default:
        return {field.setting, field.row,
                QStringLiteral("Запись пользователя %1 должна содержать не более 16 символов 0-9, A-F!")
                    .arg(field.row, 2, 10, QLatin1Char('0'))};
    }
}

void DecodeField(const BlockField& field, const QString& data, SettingsStore& store, const QLocale& locale)
{
    const auto items = [&] { return int(FindSetting(field.setting)->items.size()); };
    switch (field.encoding) {
    case Encoding::IndexByte:
        store.setChoice(field.setting, IndexByte::decode(ByteAt(data, field.offset), items()));
        break;
    case Encoding::NumberByte:
        store.setChoice(field.setting, NumberByte::decode(ByteAt(data, field.offset), items()));
        break;
    case Encoding::TmModeByte: store.setChoice(field.setting, TmModeByte::decode(ByteAt(data, field.offset))); break;
    case Encoding::FlagBit:
        store.setFlag(field.setting, FlagBit::decode(ByteAt(data, field.offset), field.bit));
        break;
    case Encoding::ZoneBits: {
        const auto zones = ZoneBits::decode(ByteAt(data, field.offset), ByteAt(data, field.offset + 1));
        for (int zone = 1; zone <= 16; ++zone)
            store.setFlag(ZoneMemberName(field.setting, zone), zones[zone - 1]);
        break;
    }
    case Encoding::TemperatureWord:
        store.setText(field.setting,
                      TemperatureWord::decode(quint16(data.mid(2 * field.offset, 4).toUInt(nullptr, 16)), locale));
        break;
    case Encoding::CodeDigits: store.setText(field.setting, CodeDigits::decode(data.mid(2 * field.offset, 4))); break;
    case Encoding::InstallerCodeBlock: store.setText(field.setting, InstallerCodeBlock::decode(data)); break;
    case Encoding::UserRecord: store.setCell(field.row, 1, UserRecord::decode(data)); break;
    case Encoding::UnusedBit: break;
    }
}

} // namespace

std::optional<QString> EncodeBlockPayload(const MemoryBlock& block, const SettingsStore& store, const QLocale& locale,
                                          WriteRefusal* refusal)
{
    const QString prefix = QStringLiteral("0002") + HexDigits(block.address, 4);
    const BlockField& first = block.fields.front();
    if (IsDigitEncoding(first.encoding)) {
        const auto digits = EncodeDigits(first, store);
        if (!digits && refusal)
            *refusal = RefusalFor(first, store, locale);
        return digits ? std::optional(prefix + *digits) : std::nullopt;
    }
    std::vector<quint8> bytes(std::size_t(block.length), 0);
    for (const BlockField& field : block.fields)
        if (!EncodeByteField(field, store, locale, bytes)) {
            if (refusal)
                *refusal = RefusalFor(field, store, locale);
            return std::nullopt;
        }
    QString payload = prefix;
    for (quint8 byte : bytes)
        payload += HexDigits(byte, 2);
    return payload;
}

std::vector<WriteRefusal> CheckWritable(const SettingsStore& store, const QLocale& locale)
{
    std::vector<WriteRefusal> refusals;
    for (const MemoryBlock& block : DeviceMemoryMap()) {
        WriteRefusal refusal;
        if (!EncodeBlockPayload(block, store, locale, &refusal))
            refusals.push_back(refusal);
    }
    return refusals;
}

namespace {

void DecodeBlockData(const MemoryBlock& block, const QString& data, SettingsStore& store, const QLocale& locale)
{
    if (block.kind == BlockKind::ZoneNumbers && !NumberByte::isZoneNumber(ByteAt(data, 0)))
        return;
    for (const BlockField& field : block.fields)
        DecodeField(field, data, store, locale);
}

} // namespace

bool DecodeBlockReply(const MemoryBlock& block, const QString& replyText, SettingsStore& store, const QLocale& locale)
{
    const auto data = ReplyData(replyText, block.length);
    if (!data)
        return false;
    DecodeBlockData(block, *data, store, locale);
    return true;
}

void ApplyWritePayload(const MemoryBlock& block, const QString& payload, SettingsStore& store, const QLocale& locale)
{
    constexpr int PayloadData = 8; // "0002" and the address
    // A code block is sent up to its end mark only; the rest reads as it was, 0 here.
    DecodeBlockData(block, payload.mid(PayloadData).leftJustified(2 * block.length, u'0'), store, locale);
}

void NormaliseAsWritten(SettingsStore& store, const QLocale& locale)
{
    for (const MemoryBlock& block : DeviceMemoryMap())
        if (const std::optional<QString> payload = EncodeBlockPayload(block, store, locale))
            ApplyWritePayload(block, *payload, store, locale);
}

QStringList UnchosenPanelChoices(const SettingsStore& store)
{
    QStringList names;
    for (const MemoryBlock& block : DeviceMemoryMap())
        for (const BlockField& field : block.fields) {
            const bool choice = field.encoding == Encoding::IndexByte || field.encoding == Encoding::NumberByte ||
                                field.encoding == Encoding::TmModeByte;
            if (choice && store.choice(field.setting) < 0)
                names << field.setting;
        }
    return names;
}

namespace {

// Every panel value of the map, in block order: a zone column gives its 16 members.
std::vector<std::pair<PanelValueRef, Encoding>> PanelValues()
{
    std::vector<std::pair<PanelValueRef, Encoding>> values;
    for (const MemoryBlock& block : DeviceMemoryMap())
        for (const BlockField& field : block.fields) {
            if (field.encoding == Encoding::UnusedBit)
                continue;
            if (field.encoding != Encoding::ZoneBits) {
                values.push_back({{field.setting, field.row}, field.encoding});
                continue;
            }
            for (int zone = 1; zone <= 16; ++zone)
                values.push_back({{ZoneMemberName(field.setting, zone), 0}, Encoding::FlagBit});
        }
    return values;
}

bool IsChoiceEncoding(Encoding encoding)
{
    return encoding == Encoding::IndexByte || encoding == Encoding::NumberByte || encoding == Encoding::TmModeByte;
}

} // namespace

void CopyPanelSettings(const SettingsStore& from, SettingsStore& to)
{
    for (const auto& [value, encoding] : PanelValues()) {
        if (encoding == Encoding::FlagBit)
            to.setFlag(value.setting, from.flag(value.setting));
        else if (IsChoiceEncoding(encoding))
            to.setChoice(value.setting, from.choice(value.setting));
        else if (encoding == Encoding::UserRecord)
            to.setCell(value.row, 1, from.cell(value.row, 1));
        else
            to.setText(value.setting, from.text(value.setting));
    }
}

std::vector<PanelValueRef> PanelDifferences(const SettingsStore& a, const SettingsStore& b)
{
    std::vector<PanelValueRef> differences;
    for (const auto& [value, encoding] : PanelValues()) {
        bool same = true;
        if (encoding == Encoding::FlagBit)
            same = a.flag(value.setting) == b.flag(value.setting);
        else if (IsChoiceEncoding(encoding))
            same = a.choice(value.setting) == b.choice(value.setting);
        else if (encoding == Encoding::UserRecord)
            same = a.cell(value.row, 1) == b.cell(value.row, 1);
        else
            same = a.text(value.setting) == b.text(value.setting);
        if (!same)
            differences.push_back(value);
    }
    return differences;
}
