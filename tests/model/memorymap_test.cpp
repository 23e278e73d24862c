#include "model/catalogue.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"

#include <gtest/gtest.h>

#include <QHash>

#include <map>

namespace {

const QLocale Comma(QLocale::Russian, QLocale::Russia);

// A data reply as the panel frames it: "p", four characters, the command, data, checksum, ";".
QString Reply(const QString& data)
{
    const QString body = QStringLiteral("000001") + data;
    uint sum = 0;
    for (QChar c : body)
        sum += c.unicode();
    return u'p' + body + QStringLiteral("%1;").arg(sum % 256, 2, 16, QLatin1Char('0')).toUpper();
}

const MemoryBlock& BlockNo(int number)
{
    return DeviceMemoryMap().at(number - 1);
}

QString Payload(int number, const SettingsStore& store)
{
    return EncodeBlockPayload(BlockNo(number), store, Comma).value_or("<refused>");
}

// Panel memory for round trips: the writes land in it, the reads answer from it.
struct PanelImage {
    QByteArray bytes = QByteArray(0x300, char(0xFF));

    void write(const QString& payload)
    {
        const int address = payload.mid(4, 4).toInt(nullptr, 16);
        const QString data = payload.mid(8);
        for (int k = 0; k < data.size() / 2; ++k)
            bytes[address + k] = char(data.mid(2 * k, 2).toInt(nullptr, 16));
    }

    QString reply(const MemoryBlock& block) const
    {
        return Reply(QString::fromLatin1(bytes.mid(block.address, block.length).toHex().toUpper()));
    }
};

// Every panel Setting's value as text, to compare two stores.
std::map<QString, QString> PanelValues(const SettingsStore& store)
{
    std::map<QString, QString> values;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (!def.inPanel)
            continue;
        switch (def.kind) {
        case SettingKind::Flag: values[def.name] = store.flag(def.name) ? "1" : "0"; break;
        case SettingKind::Choice: values[def.name] = QString::number(store.choice(def.name)); break;
        case SettingKind::Grid:
            for (int row = 1; row <= SettingsStore::UserRows; ++row)
                values[QStringLiteral("SG %1").arg(row)] = store.cell(row, 1);
            break;
        default: values[def.name] = store.text(def.name); break;
        }
    }
    return values;
}

} // namespace

TEST(DeviceMemoryMap, NinetyFiveBlocksWithTheirReadPayloads)
{
    const auto& blocks = DeviceMemoryMap();
    ASSERT_EQ(blocks.size(), 95u);
    const QStringList listed = {
        "0001010024", "000101000E", "0001010026", "0001010001", "0001010025", "0001010029", "0001100050",
        "0001100060", "0001100080", "0001100090", "00011000B0", "0001020030", "0001020032", "0001020034",
        "0001020036"};
    const QStringList afterCodes = {
        "0001020140", "00010F0010", "0001010023", "000102002C", "000102002E", "0001010004", "0001010007",
        "0001010022", "0001020020", "000102002A", "0001020038", "0001010005", "0001010008", "0001010002",
        "0001010027", "0001010028", "0001010006", "0001010003"};
    QStringList expected = listed;
    for (int zone = 0; zone < 32; ++zone)
        expected << QStringLiteral("00010201%1").arg(2 * zone, 2, 16, QLatin1Char('0')).toUpper();
    expected << afterCodes;
    for (int row = 0; row < 30; ++row)
        expected << QStringLiteral("00010802%1").arg(8 * row, 2, 16, QLatin1Char('0')).toUpper();
    for (int i = 0; i < 95; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(blocks[i].number, i + 1);
        EXPECT_EQ(blocks[i].readPayload(), expected[i]);
    }
    EXPECT_EQ(expected[30], "000102011E");
    EXPECT_EQ(expected[46], "000102013E");
    EXPECT_EQ(expected[94], "00010802E8");
    EXPECT_EQ(ContactIdTestPayload(), "0001020100");
}

TEST(DeviceMemoryMap, BlockKindsCarryTheirSpecialRules)
{
    for (const MemoryBlock& block : DeviceMemoryMap()) {
        SCOPED_TRACE(block.number);
        const int n = block.number;
        const BlockKind kind = n == 11                ? BlockKind::ZoneNumbers
                               : n >= 16 && n <= 47   ? BlockKind::ContactId
                               : n == 49              ? BlockKind::InstallerCode
                               : n > ConfigurationBlocks ? BlockKind::User
                                                      : BlockKind::Settings;
        EXPECT_EQ(block.kind, kind);
    }
    EXPECT_EQ(BlockNo(61).fields.front().encoding, Encoding::TmModeByte);
    EXPECT_EQ(BlockNo(66).fields.front().row, 1);
    EXPECT_EQ(BlockNo(95).fields.front().row, 30);
}

TEST(DeviceMemoryMap, BlocksNeverShareAnAddress)
{
    QHash<int, int> owner;
    for (const MemoryBlock& block : DeviceMemoryMap())
        for (int address = block.address; address < block.address + block.length; ++address) {
            EXPECT_FALSE(owner.contains(address)) << Qt::hex << address << " in blocks " << owner.value(address)
                                                  << " and " << block.number;
            owner.insert(address, block.number);
        }
}

TEST(DeviceMemoryMap, EveryPanelSettingHasExactlyOnePlace)
{
    std::map<QString, int> places;
    for (const MemoryBlock& block : DeviceMemoryMap()) {
        std::map<int, int> bitsPerByte;
        for (const BlockField& field : block.fields) {
            SCOPED_TRACE(block.number);
            if (field.encoding == Encoding::FlagBit || field.encoding == Encoding::UnusedBit)
                ++bitsPerByte[field.offset * 8 + field.bit];
            if (field.encoding == Encoding::UnusedBit) {
                EXPECT_FALSE(field.why.isEmpty());
                continue;
            }
            if (field.encoding == Encoding::ZoneBits) {
                for (int zone = 1; zone <= 16; ++zone)
                    ++places[ZoneMemberName(field.setting, zone)];
                continue;
            }
            ++places[field.encoding == Encoding::UserRecord ? QStringLiteral("SG %1").arg(field.row) : field.setting];
        }
        for (const auto& [bit, count] : bitsPerByte)
            EXPECT_EQ(count, 1) << "block " << block.number << " bit " << bit;
        if (!bitsPerByte.empty()) {
            EXPECT_EQ(bitsPerByte.size(), 8u) << "every bit of a flag byte is declared, block " << block.number;
        }
    }
    std::map<QString, int> expected;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (!def.inPanel)
            continue;
        if (def.kind == SettingKind::Grid)
            for (int row = 1; row <= 30; ++row)
                expected[QStringLiteral("SG %1").arg(row)] = 1;
        else
            expected[def.name] = 1;
    }
    EXPECT_EQ(places, expected);
}

TEST(BlockPayload, WritesFromTheStore)
{
    SettingsStore store;
    store.setChoice("EeAdr_PER_TST_MESS", 5);
    store.setFlag("EeAdr_Zone_1_8_GR_A_09", true);
    store.setFlag("_eee_En_ParalelMaster", true);
    store.setFlag("_eee_Enable_ZORO", true);
    store.setText("EeAdr_DS18B20_on_HI", "-12,5");
    store.setText("EeAdr_COD_CID_EV_01", "113");
    store.setText("EeAdr_COD_CID_EV_02", "");
    store.setChoice("sComboBox_TypeTM", 6);
    store.setCell(3, 1, "110412340000");
    store.setCell(3, 2, "the description never travels");
    for (int zone = 1; zone <= 16; ++zone)
        store.setChoice(ZoneMemberName("EeAdr_ShiftZones", zone), 0);

    const std::vector<std::pair<int, QString>> cases = {
        {1, "0002002405"},
        {2, "0002000E00"},
        {3, "0002002600"}, // nothing chosen: one 0x00 byte
        {4, "0002000111"},
        {11, "000200B0" + QString("01").repeated(16)},
        {12, "000200300001"},
        {13, "000200320000"},
        {16, "000201001130"},
        {17, "00020102"},
        {48, "000201401130"},
        {49, "0002001030" "05" "90817" "0" "00"},
        {51, "0002002C08C8"},
        {52, "0002002E0000"},
        {61, "0002000200"},
        {66, "000202000000000000000000"},
        {67, "000202080000000000000000"},
        {68, "000202101104123400000000"},
    };
    for (const auto& [number, payload] : cases) {
        SCOPED_TRACE(number);
        EXPECT_EQ(Payload(number, store), payload);
    }
    store.setChoice("sComboBox_TypeTM", 0);
    EXPECT_EQ(Payload(61, store), "00020002FF");
    store.setText("EeAdr_DS18B20_on_HI", "0");
    EXPECT_EQ(Payload(51, store), "0002002C0000");
}

TEST(BlockPayload, ValuesThatDoNotFitAreRefusedNamingThem)
{
    SettingsStore store;
    EXPECT_TRUE(CheckWritable(store, Comma).empty());
    EXPECT_TRUE(CheckWritable(store, QLocale::c()).empty());

    store.setText("EeAdr_COD_CID_RES_03", "31300");
    store.setText("EeAdr_PassInstalator", QString(27, u'1'));
    store.setText("EeAdr_DS18B20_off_HI", "12.5");
    store.setCell(5, 1, "11041234000000001");
    store.setCell(6, 1, "1104 234");

    WriteRefusal refusal;
    EXPECT_FALSE(EncodeBlockPayload(BlockNo(52), store, Comma, &refusal));
    EXPECT_EQ(refusal.setting, "EeAdr_DS18B20_off_HI");
    EXPECT_EQ(refusal.text, "Проверте формат температуры! (возможно нужна зяпятая вместо точки)");
    EXPECT_EQ(Payload(52, store), "<refused>");
    EXPECT_EQ(EncodeBlockPayload(BlockNo(52), store, QLocale::c()), "0002002E00C8");

    const std::vector<WriteRefusal> refusals = CheckWritable(store, Comma);
    ASSERT_EQ(refusals.size(), 5u);
    EXPECT_EQ(refusals[0].setting, "EeAdr_COD_CID_RES_03");
    EXPECT_TRUE(refusals[0].text.contains("зоны 3 (CID вос.)")) << refusals[0].text.toStdString();
    EXPECT_EQ(refusals[1].setting, "EeAdr_PassInstalator");
    EXPECT_EQ(refusals[2].setting, "EeAdr_DS18B20_off_HI");
    EXPECT_EQ(refusals[3].row, 5);
    EXPECT_TRUE(refusals[3].text.contains("пользователя 05")) << refusals[3].text.toStdString();
    EXPECT_EQ(refusals[4].row, 6);
}

TEST(BlockReply, DecodesIntoTheSettings)
{
    SettingsStore store;
    EXPECT_TRUE(DecodeBlockReply(BlockNo(1), Reply("05"), store, Comma));
    EXPECT_EQ(store.choice("EeAdr_PER_TST_MESS"), 5);

    QString types = QString("01").repeated(15) + "02";
    types.replace(4, 2, "07"); // zone 3 beyond the four items
    const QString reply = Reply(types);
    EXPECT_EQ(reply.mid(37, 2), "02") << "zone 16 at positions 38-39";
    EXPECT_TRUE(DecodeBlockReply(BlockNo(7), reply, store, Comma));
    EXPECT_EQ(store.choice("EeAdr_TypeZone_16"), 2);
    EXPECT_EQ(store.choice("EeAdr_TypeZone_03"), -1);
    EXPECT_EQ(store.choice("EeAdr_TypeZone_04"), 1);

    EXPECT_TRUE(DecodeBlockReply(BlockNo(4), Reply("FF"), store, Comma));
    for (const char* name : {"_eee_En_ParalelMaster", "_eee_En_ParalelSlave", "_eee_Enable_TL", "_eee_Enable_ZORO"})
        EXPECT_TRUE(store.flag(name)) << name;
    EXPECT_TRUE(DecodeBlockReply(BlockNo(12), Reply("0001"), store, Comma));
    EXPECT_TRUE(store.flag("EeAdr_Zone_1_8_GR_A_09"));
    EXPECT_FALSE(store.flag("EeAdr_Zone_1_8_GR_A_01"));

    EXPECT_TRUE(DecodeBlockReply(BlockNo(51), Reply("08C8"), store, Comma));
    EXPECT_EQ(store.text("EeAdr_DS18B20_on_HI"), "-12,5");
    EXPECT_TRUE(DecodeBlockReply(BlockNo(48), Reply("1130"), store, Comma));
    EXPECT_EQ(store.text("EeAdr_COD_VHOD"), "1130");
    EXPECT_TRUE(DecodeBlockReply(BlockNo(49), Reply("3005908170" + QString(20, u'0')), store, Comma));
    EXPECT_EQ(store.text("EeAdr_PassInstalator"), "90817");
    EXPECT_TRUE(DecodeBlockReply(BlockNo(49), Reply("30FF" + QString(26, u'F')), store, Comma));
    EXPECT_EQ(store.text("EeAdr_PassInstalator"), QString(26, u'F'));

    store.setChoice("sComboBox_TypeTM", 3);
    EXPECT_TRUE(DecodeBlockReply(BlockNo(61), Reply("41"), store, Comma));
    EXPECT_EQ(store.choice("sComboBox_TypeTM"), 5);
    EXPECT_TRUE(DecodeBlockReply(BlockNo(61), Reply("03"), store, Comma));
    EXPECT_EQ(store.choice("sComboBox_TypeTM"), 0);

    store.setCell(2, 1, "2101234567890000");
    store.setCell(2, 2, "Иванов");
    EXPECT_TRUE(DecodeBlockReply(BlockNo(67), Reply("00FF123456789ABC"), store, Comma));
    EXPECT_EQ(store.cell(2, 1), "");
    EXPECT_EQ(store.cell(2, 2), "Иванов");
    EXPECT_TRUE(DecodeBlockReply(BlockNo(95), Reply("4100380501234567"), store, Comma));
    EXPECT_EQ(store.cell(30, 1), "4100380501234567");
}

TEST(BlockReply, ZoneNumbersApplyOnlyAfterAZoneNumberFirstByte)
{
    const std::vector<std::pair<QString, bool>> firstBytes = {{"00", false}, {"11", false}, {"FF", false},
                                                              {"01", true},  {"10", true}};
    for (const auto& [first, applied] : firstBytes) {
        SCOPED_TRACE(first.toStdString());
        SettingsStore store;
        for (int zone = 1; zone <= 16; ++zone)
            store.setChoice(ZoneMemberName("EeAdr_ShiftZones", zone), 16 - zone);
        EXPECT_TRUE(DecodeBlockReply(BlockNo(11), Reply(first + QString("03").repeated(15)), store, Comma));
        EXPECT_EQ(store.choice("EeAdr_ShiftZones_02"), applied ? 2 : 14);
        EXPECT_EQ(store.choice("EeAdr_ShiftZones_16"), applied ? 2 : 0);
    }
}

TEST(BlockReply, RepliesWithoutTheBlocksBytesChangeNothing)
{
    const QStringList bad = {
        "",
        "p000001;",
        Reply("0102"),                                   // 2 of 16 bytes
        Reply(QString("01").repeated(15) + "0G"),        // not a hexadecimal digit
        Reply(QString("01").repeated(15) + "0a"),        // lower case never comes from the panel
        "p000001" + QString("01").repeated(16),          // no checksum: its place would be read as data
    };
    for (const QString& reply : bad) {
        SCOPED_TRACE(reply.toStdString());
        SettingsStore store;
        QStringList changes;
        QObject::connect(&store, &SettingsStore::changed, [&](const QString& name) { changes << name; });
        EXPECT_FALSE(DecodeBlockReply(BlockNo(7), reply, store, Comma));
        EXPECT_TRUE(changes.isEmpty());
    }
}

TEST(BlockRoundTrip, PanelImageReadsBackIntoTheSameSettings)
{
    SettingsStore written;
    int n = 0;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (!def.inPanel)
            continue;
        ++n;
        switch (def.kind) {
        case SettingKind::Flag: written.setFlag(def.name, n % 3 == 0); break;
        case SettingKind::Choice: written.setChoice(def.name, n % def.items.size()); break;
        case SettingKind::CodeText: written.setText(def.name, QString::number(1000 + n * 7 % 9000)); break;
        case SettingKind::NumberText: written.setText(def.name, n % 2 ? "-18,8125" : "45,25"); break;
        default: break;
        }
    }
    written.setText("EeAdr_PassInstalator", "ABC123");
    for (int row = 1; row <= 30; ++row)
        written.setCell(row, 1, row % 4 ? QStringLiteral("21%1").arg(row, 14, 16, QLatin1Char('0')).toUpper() : "");
    for (int zone = 1; zone <= 16; ++zone)
        written.setChoice(ZoneMemberName("EeAdr_ShiftZones", zone), 16 - zone);

    PanelImage panel;
    for (const MemoryBlock& block : DeviceMemoryMap())
        panel.write(EncodeBlockPayload(block, written, Comma).value());
    EXPECT_EQ(quint8(panel.bytes[0x0001]) & 0xE4, 0) << "bits no Setting owns are written 0";
    EXPECT_EQ(panel.bytes.mid(0x0010, 6).toHex().toUpper(), "3006ABC12300");

    SettingsStore read;
    for (const MemoryBlock& block : DeviceMemoryMap())
        ASSERT_TRUE(DecodeBlockReply(block, panel.reply(block), read, Comma)) << block.number;
    EXPECT_EQ(PanelValues(read), PanelValues(written));
}

TEST(BlockPayload, UnchosenChoicesAreListed)
{
    SettingsStore store;
    QStringList unchosen = UnchosenPanelChoices(store);
    EXPECT_EQ(unchosen.size(), 2 + 4 * 16 + 3);
    EXPECT_EQ(unchosen.first(), "EeAdr_PER_TST_MESS");
    EXPECT_TRUE(unchosen.contains("EeAdr_ShiftZones_16"));
    EXPECT_TRUE(unchosen.contains("EeAdr_TimeOut220V"));
    EXPECT_FALSE(unchosen.contains("EeAdr_Algoritm_01"));

    for (const QString& name : unchosen)
        store.setChoice(name, 0);
    store.setChoice("sComboBox_TypeTM", 99);
    EXPECT_EQ(UnchosenPanelChoices(store), QStringList({"sComboBox_TypeTM"}));
}

TEST(BlockReply, ContactIdTest)
{
    EXPECT_TRUE(ContactIdsErased(Reply("FFFF")));
    EXPECT_FALSE(ContactIdsErased(Reply("1130")));
    EXPECT_FALSE(ContactIdsErased(Reply("FFFE")));
    EXPECT_FALSE(ContactIdsErased(""));
}
