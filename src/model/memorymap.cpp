#include "model/memorymap.h"

#include "model/catalogue.h"
#include "model/encodings.h"

#include <array>

namespace {

BlockField Field(Encoding encoding, const QString& setting, int offset = 0)
{
    BlockField field;
    field.encoding = encoding;
    field.setting = setting;
    field.offset = offset;
    return field;
}

// The eight bits of a flag byte, bit 0 first; nullptr for a bit no Setting owns.
std::vector<BlockField> FlagByte(const std::array<const char*, 8>& bits)
{
    std::vector<BlockField> fields;
    for (int bit = 0; bit < 8; ++bit) {
        BlockField field = Field(bits[bit] ? Encoding::FlagBit : Encoding::UnusedBit, QString::fromUtf8(bits[bit]));
        field.bit = bit;
        if (!bits[bit])
            field.why = QStringLiteral("no option of the panel lives here; written 0, ignored when read");
        fields.push_back(field);
    }
    return fields;
}

// One byte per zone, zone 1 at the block's first byte.
std::vector<BlockField> ZoneBytes(Encoding encoding, const QString& family)
{
    std::vector<BlockField> fields;
    for (int zone = 1; zone <= 16; ++zone)
        fields.push_back(Field(encoding, ZoneMemberName(family, zone), zone - 1));
    return fields;
}

MemoryBlock Block(quint16 address, int length, std::vector<BlockField> fields, BlockKind kind = BlockKind::Settings)
{
    MemoryBlock block;
    block.kind = kind;
    block.address = address;
    block.length = length;
    block.fields = std::move(fields);
    return block;
}

// A block of one Setting: a byte, or a word for codes and temperatures.
MemoryBlock Single(quint16 address, Encoding encoding, const QString& setting, BlockKind kind = BlockKind::Settings)
{
    const int length = encoding == Encoding::IndexByte || encoding == Encoding::TmModeByte ? 1 : 2;
    return Block(address, length, {Field(encoding, setting)}, kind);
}

MemoryBlock Column(quint16 address, const QString& family)
{
    return Block(address, 2, {Field(Encoding::ZoneBits, family)});
}

void AppendContactIds(std::vector<MemoryBlock>& blocks, quint16 address, const QString& family)
{
    for (int zone = 1; zone <= 16; ++zone)
        blocks.push_back(Single(quint16(address + 2 * (zone - 1)), Encoding::CodeDigits,
                                ZoneMemberName(family, zone), BlockKind::ContactId));
}

void AppendUsers(std::vector<MemoryBlock>& blocks)
{
    for (int row = 1; row <= 30; ++row) {
        BlockField field = Field(Encoding::UserRecord, QStringLiteral("SG"));
        field.row = row;
        blocks.push_back(Block(quint16(0x0200 + 8 * (row - 1)), 8, {field}, BlockKind::User));
    }
}

std::vector<MemoryBlock> Build()
{
    using E = Encoding;
    std::vector<MemoryBlock> blocks = {
        Single(0x0024, E::IndexByte, "EeAdr_PER_TST_MESS"),
        Single(0x000E, E::IndexByte, "EeAdr_VARIANT_ZNS"),
        Single(0x0026, E::IndexByte, "EeAdr_PER_STS_CH"),
        Block(0x0001, 1,
              FlagByte({"_eee_En_ParalelMaster", "_eee_En_ParalelSlave", nullptr, "_eee_Enable_TL", "_eee_Enable_ZORO",
                        nullptr, nullptr, nullptr})),
        Single(0x0025, E::IndexByte, "EeAdr_TypeKeybord"),
        Single(0x0029, E::IndexByte, "EeAdr_SLAVE_ADRESS"),
        Block(0x0050, 16, ZoneBytes(E::IndexByte, "EeAdr_TypeZone")),
        Block(0x0060, 16, ZoneBytes(E::IndexByte, "EeAdr_Algoritm")),
        Block(0x0080, 16, ZoneBytes(E::IndexByte, "EeAdr_DelEXIT")),
        Block(0x0090, 16, ZoneBytes(E::IndexByte, "EeAdr_DelVhod")),
        Block(0x00B0, 16, ZoneBytes(E::NumberByte, "EeAdr_ShiftZones"), BlockKind::ZoneNumbers),
        Column(0x0030, "EeAdr_Zone_1_8_GR_A"),
        Column(0x0032, "EeAdr_Zone_1_8_GR_B"),
        Column(0x0034, "EeAdr_Zone_1_8_GR_C"),
        Column(0x0036, "EeAdr_Zone_1_8_GR_D"),
    };
    AppendContactIds(blocks, 0x0100, "EeAdr_COD_CID_EV");
    AppendContactIds(blocks, 0x0120, "EeAdr_COD_CID_RES");
    const std::vector<MemoryBlock> rest = {
        Single(0x0140, E::CodeDigits, "EeAdr_COD_VHOD"),
        Block(0x0010, 15, {Field(E::InstallerCodeBlock, "EeAdr_PassInstalator")}, BlockKind::InstallerCode),
        Single(0x0023, E::IndexByte, "EeAdr_SZO_TIMEOUT"),
        Single(0x002C, E::TemperatureWord, "EeAdr_DS18B20_on_HI"),
        Single(0x002E, E::TemperatureWord, "EeAdr_DS18B20_off_HI"),
        Block(0x0004, 1,
              FlagByte({"_eee_OkResGR_B", "_eee_ReservWhenPass", "_eee_RES_Inv", "_eee_OkResAndOrBit",
                        "_eee_OkResShow220V", "_eee_OkResAnyCHSts", "_eee_OkResSTS_A", "_eee_OkResGR_D"})),
        Block(0x0007, 1,
              FlagByte({"_eee_EnVirtOut_1", "_eee_EnVirtOut_2", "_eee_EnVirtOut_3", "_eee_EnVirtOut_4",
                        "_eee_EnVirtOut_5", "_eee_EnVirtOut_6", "_eee_EnVirtOut_7", "_eee_EnVirtOut_8"})),
        Single(0x0022, E::IndexByte, "EeAdr_RESER_TIMEOUT"),
        Column(0x0020, "EeAdr_ZONES_1_8_OKRES"),
        Column(0x002A, "EeAdr_ZonNotBuz_1_8"),
        Column(0x0038, "EeAdr_GR_A_AvtoIskl_1_8"),
        Block(0x0005, 1,
              FlagByte({"_eee_SendEvVhod", "_eee_DisVerTlFree", "_eee_OK_BUZ_Inv", "_eee_OK_LED_Inv",
                        "_eee_OK_RES_Inv", "_eee_ChaimeOnAllChan", "_eee_LED_EXT_COPY_KB", "_eee_DONT_TL_FAULT"})),
        Block(0x0008, 1,
              FlagByte({"_eee_TamperOnTl", "_eee_NotVerTamperZone", "_eee_EnabZonTogle", nullptr, nullptr, nullptr,
                        nullptr, nullptr})),
        Single(0x0002, E::TmModeByte, "sComboBox_TypeTM"),
        Single(0x0027, E::IndexByte, "EeAdr_QtyLinds"),
        Single(0x0028, E::IndexByte, "EeAdr_TimeOut220V"),
        Block(0x0006, 1,
              FlagByte({"_eee_ExtLedShowGR_A", "_eee_ExtLedShowGR_B", "_eee_ExtLedShowGR_C", "_eee_ExtLedShowGR_D",
                        "_eee_OneCode_A_B", "_eee_EnableAlarmKey", "_eee_LimitBeeps", "_eee_SZO_in_sec"})),
        Block(0x0003, 1,
              FlagByte({"_eee_Control_IP", "_eee_ControlSzo", "_eee_VerFaultBefoArm", "_eee_OnKPDKlemmiLeds",
                        "_eee_Z9Z10OnTl", "_eee_SZOvenARM", "_eee_SZObeepWhenPass", "_eee_ExtLedWhenPass"})),
    };
    blocks.insert(blocks.end(), rest.begin(), rest.end());
    AppendUsers(blocks);
    for (std::size_t i = 0; i < blocks.size(); ++i)
        blocks[i].number = int(i) + 1;
    return blocks;
}

} // namespace

QString MemoryBlock::readPayload() const
{
    return QStringLiteral("0001") + HexDigits(uint(length), 2) + HexDigits(address, 4);
}

const std::vector<MemoryBlock>& DeviceMemoryMap()
{
    static const std::vector<MemoryBlock> blocks = Build();
    return blocks;
}

QString ContactIdTestPayload()
{
    return DeviceMemoryMap().at(15).readPayload();
}

bool ContactIdsErased(const QString& replyText)
{
    return replyText.mid(7, 4) == QStringLiteral("FFFF");
}
