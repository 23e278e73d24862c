#include "transferfixture.h"

#include "link/frames.h"
#include "model/catalogue.h"
#include "model/memorymap.h"
#include "transfer/configread.h"

namespace {

const QString ReadSuccess = QStringLiteral("Прочитано успешно.");
const QString Caption = QStringLiteral("sGroupBox_DS18B20");
// Three opening requests, the login, 65 blocks, the test request and 30 records.
constexpr int FullReadRequests = 100;

class ConfigRead : public TransferTest {
protected:
    bool read(bool temperature = false) { return ReadConfiguration(link, store, {temperature, locale}); }
};

TEST_F(ConfigRead, FillsEveryPanelSettingFromTheImage)
{
    SettingsStore expected;
    fillWithVariety(expected, 1);
    panel.memory = imageOf(expected);
    link.inputs.password = expected.text(QStringLiteral("EeAdr_PassInstalator"));
    fillWithVariety(store, 2);

    ASSERT_TRUE(read());
    EXPECT_EQ(panelDifferences(store, expected), QStringList());
    EXPECT_EQ(host.messages, QStringList{ReadSuccess});
    EXPECT_EQ(host.title, QStringLiteral("QZV-6 Configurator - [*.qzv]"));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ConfigRead, LeavesFileOnlySettingsAlone)
{
    store.setText(QStringLiteral("sEdit_TEXT_ZN_04"), QStringLiteral("Склад"));
    store.setFlag(QStringLiteral("CkeckSavePess"), false);
    store.setCell(3, 2, QStringLiteral("Охранник"));
    store.setMemo({QStringLiteral("объект 7")});

    ASSERT_TRUE(read());
    EXPECT_EQ(store.text(QStringLiteral("sEdit_TEXT_ZN_04")), QStringLiteral("Склад"));
    EXPECT_FALSE(store.flag(QStringLiteral("CkeckSavePess")));
    EXPECT_EQ(store.cell(3, 2), QStringLiteral("Охранник"));
    EXPECT_EQ(store.memo(), QStringList{QStringLiteral("объект 7")});
}

TEST_F(ConfigRead, ErasedContactIdCodesAreSkipped)
{
    panel.memory[0x0100] = char(0xFF);
    panel.memory[0x0101] = char(0xFF);
    panel.memory[0x0140] = char(0x14);
    panel.memory[0x0141] = char(0x51);
    for (int zone = 1; zone <= 16; ++zone) {
        store.setText(QStringLiteral("EeAdr_COD_CID_EV_%1").arg(zone, 2, 10, QLatin1Char('0')), "ABCD");
        store.setText(QStringLiteral("EeAdr_COD_CID_RES_%1").arg(zone, 2, 10, QLatin1Char('0')), "DCBA");
    }

    ASSERT_TRUE(read());
    EXPECT_EQ(panel.log.size(), FullReadRequests - 32);
    EXPECT_EQ(sent(QStringLiteral("0001020100")), 1); // the test request only
    EXPECT_EQ(sent(QStringLiteral("000102013E")), 0);
    for (int zone = 1; zone <= 16; ++zone) {
        EXPECT_EQ(store.text(QStringLiteral("EeAdr_COD_CID_EV_%1").arg(zone, 2, 10, QLatin1Char('0'))), "ABCD");
        EXPECT_EQ(store.text(QStringLiteral("EeAdr_COD_CID_RES_%1").arg(zone, 2, 10, QLatin1Char('0'))), "DCBA");
    }
    EXPECT_EQ(store.text(QStringLiteral("EeAdr_COD_VHOD")), QStringLiteral("1451"));
}

TEST_F(ConfigRead, CodesAreReadWhenTheTestFindsThem)
{
    ASSERT_TRUE(read());
    EXPECT_EQ(panel.log.size(), FullReadRequests);
    EXPECT_EQ(sent(QStringLiteral("0001020100")), 2); // the test, then block 16
    EXPECT_EQ(store.text(QStringLiteral("EeAdr_COD_CID_RES_16")), QStringLiteral("3130"));
}

TEST_F(ConfigRead, ZoneNumbersApplyOnlyFromAZoneNumber)
{
    const struct {
        quint8 first;
        bool applied;
    } cases[] = {{0x00, false}, {0x11, false}, {0xFF, false}, {0x01, true}, {0x10, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        panel.memory[0x00B0] = char(c.first);
        panel.memory[0x0050 + 15] = 2; // a column the same read updates
        for (int zone = 1; zone <= 16; ++zone) {
            store.setChoice(QStringLiteral("EeAdr_ShiftZones_%1").arg(zone, 2, 10, QLatin1Char('0')), 7);
            store.setChoice(QStringLiteral("EeAdr_TypeZone_%1").arg(zone, 2, 10, QLatin1Char('0')), 1);
        }

        ASSERT_TRUE(read());
        // The factory numbers are 1..16; the second one tells whether the block was applied.
        EXPECT_EQ(store.choice(QStringLiteral("EeAdr_ShiftZones_02")), c.applied ? 1 : 7);
        EXPECT_EQ(store.choice(QStringLiteral("EeAdr_ShiftZones_01")), c.applied ? c.first - 1 : 7);
        EXPECT_EQ(store.choice(QStringLiteral("EeAdr_TypeZone_16")), 2);
    }
}

TEST_F(ConfigRead, ByteBeyondTheItemsLeavesNothingChosen)
{
    panel.memory[0x0052] = 0x07; // EeAdr_TypeZone_03 has four items
    store.setChoice(QStringLiteral("EeAdr_TypeZone_03"), 2);

    ASSERT_TRUE(read());
    EXPECT_EQ(store.choice(QStringLiteral("EeAdr_TypeZone_03")), -1);
    EXPECT_EQ(store.choice(QStringLiteral("EeAdr_TypeZone_04")), 3);
    EXPECT_EQ(host.messages, QStringList{ReadSuccess});
}

TEST_F(ConfigRead, FlagsComeOnlyFromThePanel)
{
    for (const SettingDef& def : SettingsCatalogue())
        if (def.inPanel && def.kind == SettingKind::Flag)
            store.setFlag(def.name, true);
    store.setText(QStringLiteral("EeAdr_PassInstalator"), QStringLiteral("ABCDEF0123"));
    int flagsSetWhenShown = -1;
    host.onProcessEvents = [&] {
        if (host.progressVisible && flagsSetWhenShown < 0) {
            flagsSetWhenShown = 0;
            for (const SettingDef& def : SettingsCatalogue())
                flagsSetWhenShown += def.inPanel && def.kind == SettingKind::Flag && store.flag(def.name);
        }
    };

    ASSERT_TRUE(read());
    EXPECT_EQ(flagsSetWhenShown, 159); // the window keeps its own until the whole read is in
    EXPECT_FALSE(store.flag(QStringLiteral("_eee_Enable_TL")));  // 0x0001 holds 0x00
    EXPECT_TRUE(store.flag(QStringLiteral("_eee_VerFaultBefoArm"))); // 0x0003 holds 0x07
    EXPECT_TRUE(store.flag(QStringLiteral("EeAdr_Zone_1_8_GR_B_09")));
    EXPECT_FALSE(store.flag(QStringLiteral("EeAdr_Zone_1_8_GR_B_08")));
    EXPECT_EQ(store.text(QStringLiteral("EeAdr_PassInstalator")), QStringLiteral("90817"));
}

TEST_F(ConfigRead, UserRecordsFillAndEmptyTheirCells)
{
    for (int row = 1; row <= SettingsStore::UserRows; ++row)
        store.setCell(row, 1, QStringLiteral("FFFFFFFFFFFFFFFF"));
    panel.memory[0x0228] = 0x00; // user 6: first byte 0x00 frees the slot...
    panel.memory[0x0229] = 0x12; // ...whatever follows

    ASSERT_TRUE(read());
    EXPECT_EQ(store.cell(1, 1), QStringLiteral("1104123400000000"));
    EXPECT_EQ(store.cell(3, 1), QStringLiteral("4000380501234567"));
    EXPECT_EQ(store.cell(6, 1), QString());
    EXPECT_EQ(store.cell(30, 1), QString());
}

TEST_F(ConfigRead, TemperatureOnlyWhenAskedFor)
{
    const struct {
        bool asked;
        int word;
        QString caption; // empty: not set
    } cases[] = {
        {false, 0x0850, {}},
        {true, 0x0850, QStringLiteral("Контроллер температуры (-5C)")},
        {true, 0x0191, QStringLiteral("Контроллер температуры (25,0625C)")},
        {true, 0x0000, QStringLiteral("Контроллер температуры (0C)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        host.controlTexts.clear();
        panel.log.clear();
        panel.setTemperature(c.word);

        ASSERT_TRUE(read(c.asked));
        EXPECT_EQ(sent(QStringLiteral("0021")), c.asked ? 1 : 0);
        EXPECT_EQ(host.controlTexts.value(Caption), c.caption);
        // Between the thermostat thresholds and the flags of 0x0004.
        if (c.asked) {
            EXPECT_EQ(panel.log.indexOf(QStringLiteral("0021")), panel.log.indexOf(QStringLiteral("000102002E")) + 1);
        }
    }
}

TEST_F(ConfigRead, UnansweredTemperatureCostsNothingElse)
{
    PanelFaults faults;
    faults.silent = true;
    faults.onlyCommand = QStringLiteral("21");
    panel.setFaults(faults);
    host.controlTexts[Caption] = QStringLiteral("Контроллер температуры");

    ASSERT_TRUE(read(true));
    EXPECT_EQ(host.messages, QStringList{ReadSuccess});
    EXPECT_FALSE(host.sounds.contains(Sound::Error));
    EXPECT_EQ(host.controlTexts.value(Caption), QStringLiteral("Контроллер температуры"));
    EXPECT_EQ(port.writes.count(BuildFrame(QStringLiteral("0021")).toLatin1()), 19);
    EXPECT_EQ(sent(QStringLiteral("0001010003")), 1); // the last block
    EXPECT_EQ(sent(QStringLiteral("00010802E8")), 1); // the last user
}

TEST_F(ConfigRead, WrongPasswordChangesNothing)
{
    link.inputs.password = QStringLiteral("1111");
    fillWithVariety(store, 3);
    SettingsStore before;
    fillWithVariety(before, 3);

    EXPECT_FALSE(read());
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Неверный пароль!")});
    EXPECT_EQ(panelDifferences(store, before), QStringList());
    EXPECT_EQ(host.title, QString());
    EXPECT_EQ(host.progressShowCount, 0);
    EXPECT_EQ(panel.log.size(), 4); // nothing after the login
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ConfigRead, ProgressShowsAfterTheLoginAndCountsEveryExchange)
{
    QList<bool> visibleAtTry;
    host.onProcessEvents = [&] { visibleAtTry << host.progressVisible; };

    ASSERT_TRUE(read());
    ASSERT_EQ(visibleAtTry.size(), FullReadRequests); // each answered at its first try
    EXPECT_EQ(visibleAtTry.mid(0, 4), QList<bool>(4, false));
    EXPECT_EQ(visibleAtTry.mid(4), QList<bool>(FullReadRequests - 4, true));
    EXPECT_EQ(host.progressMaximum, 87);
    EXPECT_EQ(host.barColor, 0xFF0000u);
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.sounds, (QList<Sound>{Sound::Information, Sound::Default}));
}

TEST_F(ConfigRead, VanishedAdapterEndsWithThePortsMessage)
{
    host.onProcessEvents = [&] {
        if (panel.log.size() == 30)
            port.unplugged = true;
    };

    EXPECT_FALSE(read());
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Ошибка записи в порт")});
    EXPECT_FALSE(host.progressVisible);
    EXPECT_FALSE(link.busy());
}

TEST_F(ConfigRead, CancelEndsAtTheNextExchangeQuietly)
{
    host.onProcessEvents = [&] {
        if (panel.log.size() == 20)
            link.CancelRequested = true;
    };

    EXPECT_FALSE(read());
    EXPECT_EQ(host.messages, QStringList());
    EXPECT_EQ(panel.log.size(), 21); // the exchange under way goes on; the next one stops
    EXPECT_FALSE(port.isOpen());
}

// Passes the frame tests of its request but carries no data bytes.
class EmptyReplyPort : public SerialPort {
public:
    EmptyReplyPort(SerialPort& inner, QString payload) : inner_(inner), frame_(BuildFrame(payload).toLatin1()) {}
    bool open() override { return inner_.open(); }
    bool close() override { return inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void setPortName(const QString& name) override { inner_.setPortName(name); }
    void setSpeedIndex(int index) override { inner_.setSpeedIndex(index); }
    void write(const QByteArray& data) override
    {
        last_ = data;
        inner_.write(data);
    }
    QByteArray read(int maxCount) override
    {
        const QByteArray real = inner_.read(maxCount);
        return last_ == frame_ ? BuildFrame(QStringLiteral("000001")).toLatin1() : real;
    }

private:
    SerialPort& inner_;
    QByteArray frame_;
    QByteArray last_;
};

// A read that ends early, whatever ends it, leaves every Setting, the user
// table, the title and the temperature caption as they were, and claims nothing.
TEST_F(ConfigRead, ReadEndingEarlyChangesNothing)
{
    const QString shortBlock = QStringLiteral("0001100060"); // block 8, the algorithms
    const struct {
        const char* name;
        std::function<void()> arrange;
        QString emptyReplyTo; // the request answered without data bytes; empty: none
        QString message;      // empty: none
    } cases[] = {
        {"Esc at the 40th exchange",
         [this] {
             host.onProcessEvents = [this] {
                 if (panel.log.size() == 39)
                     link.CancelRequested = true;
             };
         },
         {}, {}},
        {"panel falls silent after block 40",
         [this] {
             PanelFaults faults;
             faults.stopAfter = 4 + 40;
             panel.setFaults(faults);
         },
         {}, PanelLink::LinkFailureText},
        {"a reply without the block's bytes", [] {}, shortBlock,
         QStringLiteral("ППК прислал неполный ответ на запрос 0001100060. Чтение прервано.")},
    };
    SettingsStore image;
    fillWithVariety(image, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeHost();
        panel.memory = imageOf(image);
        panel.setFaults({});
        panel.log.clear();
        link.inputs.password = image.text(QStringLiteral("EeAdr_PassInstalator"));
        fillWithVariety(store, 2);
        const QStringList before = everyValue(store);
        host.title = QStringLiteral("QZV-6 Configurator - [home.qzv]");
        host.controlTexts[Caption] = QStringLiteral("Контроллер температуры");
        c.arrange();
        EmptyReplyPort answering(port, c.emptyReplyTo);
        PanelLink reading(answering, host);
        reading.inputs = link.inputs;

        EXPECT_FALSE(ReadConfiguration(c.emptyReplyTo.isEmpty() ? link : reading, store, {true, locale}));

        EXPECT_EQ(everyValue(store), before);
        EXPECT_EQ(host.title, QStringLiteral("QZV-6 Configurator - [home.qzv]"));
        EXPECT_EQ(host.controlTexts.value(Caption), QStringLiteral("Контроллер температуры"));
        EXPECT_EQ(host.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_FALSE(port.isOpen());
    }
}

TEST_F(ConfigRead, ReplyWithoutTheBlocksBytesEndsTheRead)
{
    EmptyReplyPort shortPort(port, QStringLiteral("0001100060")); // block 8, the algorithms
    PanelLink shortLink(shortPort, host);
    shortLink.inputs = link.inputs;
    store.setChoice(QStringLiteral("EeAdr_Algoritm_02"), 9);
    const int zoneTypeBefore = store.choice(QStringLiteral("EeAdr_TypeZone_01"));

    EXPECT_FALSE(ReadConfiguration(shortLink, store, {false, locale}));
    EXPECT_EQ(store.choice(QStringLiteral("EeAdr_Algoritm_02")), 9);
    EXPECT_EQ(store.choice(QStringLiteral("EeAdr_TypeZone_01")), zoneTypeBefore); // block 7 was read, not applied
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages.first().contains(QStringLiteral("0001100060")));
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(panel.log.size(), 4 + 8);
}

TEST_F(ConfigRead, RefusedWhileAnotherOperationRuns)
{
    bool inner = true;
    link.runOperation([&] { inner = read(); });
    EXPECT_FALSE(inner);
    EXPECT_EQ(port.opens, 0);
}

} // namespace
