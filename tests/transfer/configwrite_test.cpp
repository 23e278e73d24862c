#include "transferfixture.h"

#include "link/frames.h"
#include "model/encodings.h"
#include "model/memorymap.h"
#include "factoryimage.h"
#include "transfer/configread.h"
#include "transfer/configwrite.h"

namespace {

const QString WriteSuccess = QStringLiteral("Записано успешно, ППК перезагружен.");
const QString Question = QStringLiteral("Вы уверены что хотите записать?");
const QString TemperatureFormat =
    QStringLiteral("Проверте формат температуры! (возможно нужна зяпятая вместо точки)");
// Three opening requests, the login, 95 blocks and the restart.
constexpr int FullWriteRequests = 100;

class ConfigWrite : public TransferTest {
protected:
    ConfigWrite() { fillWithVariety(store, 11); }
    bool write()
    {
        WriteOptions options;
        options.locale = locale;
        const WriteResult result = WriteConfiguration(link, store, options);
        notice = result.notice;
        return result.outcome == WriteOutcome::Written;
    }

    std::optional<QString> notice; // of the last write
};

TEST_F(ConfigWrite, WritesEveryBlockThenRestarts)
{
    ASSERT_TRUE(write());
    EXPECT_EQ(mappedDifferences(panel.memory, imageOf(store)), QStringList());
    EXPECT_EQ(panel.log.size(), FullWriteRequests);
    EXPECT_EQ(panel.log.last(), QStringLiteral("0008"));
    EXPECT_EQ(panel.restarts, 1);
    EXPECT_EQ(host.questions, QStringList{Question});
    EXPECT_EQ(host.messages, QStringList{WriteSuccess});
    EXPECT_EQ(host.progressMaximum, 88);
    EXPECT_EQ(host.barColor, 0xFF0000u);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ConfigWrite, RestartWaitsTenMillisecondsAfterTheLastRecord)
{
    qint64 lastRecordAt = -1;
    qint64 restartAt = -1;
    host.onProcessEvents = [&] {
        if (panel.log.size() == FullWriteRequests - 2)
            lastRecordAt = host.clock;
        if (panel.log.size() == FullWriteRequests - 1)
            restartAt = host.clock;
    };
    ASSERT_TRUE(write());
    // The last record's exchange waits its 57 ms, then the restart waits 10 ms more.
    EXPECT_EQ(restartAt - lastRecordAt, 57 + 10);
}

TEST_F(ConfigWrite, ReadWriteReadGivesTheSameStore)
{
    SettingsStore source;
    fillWithVariety(source, 12);
    panel.memory = imageOf(source);
    link.inputs.password = source.text(QStringLiteral("EeAdr_PassInstalator"));
    ASSERT_TRUE(ReadConfiguration(link, store, {false, locale}));
    const QByteArray image = panel.memory;

    panel.memory = FactoryImage();
    link.inputs.password = QStringLiteral("90817");
    ASSERT_TRUE(write());
    EXPECT_EQ(mappedDifferences(panel.memory, image), QStringList());

    SettingsStore again;
    link.inputs.password = store.text(QStringLiteral("EeAdr_PassInstalator"));
    ASSERT_TRUE(ReadConfiguration(link, again, {false, locale}));
    EXPECT_EQ(panelDifferences(again, store), QStringList());
}

TEST_F(ConfigWrite, PanelFallingSilentAtBlock30KeepsTheRestOld)
{
    const QByteArray before = panel.memory;
    PanelFaults faults;
    faults.stopAfter = 4 + 29; // the login, then blocks 1 to 29
    panel.setFaults(faults);

    EXPECT_FALSE(write());
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
    EXPECT_EQ(sent(QStringLiteral("0008")), 0);
    const QByteArray wanted = imageOf(store);
    for (const MemoryBlock& block : DeviceMemoryMap()) {
        SCOPED_TRACE(block.number);
        const QByteArray& expected = block.number < 30 ? wanted : before;
        EXPECT_EQ(panel.memory.mid(block.address, block.length), expected.mid(block.address, block.length));
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(host.progressVisible);
}

// A write that ends once the panel has taken part of it leaves a lasting notice
// beside the link's own message; one that ends before the first block does not.
TEST_F(ConfigWrite, CutShortAfterTheFirstBlockLeavesALastingNotice)
{
    const struct {
        const char* name;
        std::function<void()> arrange;
        QString message;
        QString notice; // a part of it; empty: no notice
    } cases[] = {
        {"silent from block 30",
         [this] {
             PanelFaults faults;
             faults.stopAfter = 4 + 29;
             panel.setFaults(faults);
         },
         PanelLink::LinkFailureText, "принял 29 из 95 блоков"},
        {"Esc at block 30",
         [this] {
             host.onProcessEvents = [this] {
                 if (panel.log.size() == 4 + 29)
                     link.CancelRequested = true;
             };
         },
         {}, "принял 30 из 95 блоков"},
        {"adapter pulled at block 30",
         [this] {
             host.onProcessEvents = [this] {
                 if (panel.log.size() == 4 + 29)
                     port.unplugged = true;
             };
         },
         "Ошибка записи в порт", "принял 29 из 95 блоков"},
        {"restart never acknowledged",
         [this] {
             PanelFaults faults;
             faults.silent = true;
             faults.onlyCommand = "08";
             panel.setFaults(faults);
         },
         PanelLink::LinkFailureText, "принял 95 из 95 блоков"},
        {"silent before the first block",
         [this] {
             PanelFaults faults;
             faults.stopAfter = 4;
             panel.setFaults(faults);
         },
         PanelLink::LinkFailureText, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeHost();
        panel.setFaults({});
        panel.log.clear();
        port.unplugged = false;
        link.inputs.password = panel.password(); // as far as the last case wrote it
        c.arrange();

        EXPECT_FALSE(write());
        EXPECT_EQ(host.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (c.notice.isEmpty()) {
            EXPECT_EQ(notice, std::nullopt); // the panel was not touched: an earlier notice still holds
            continue;
        }
        ASSERT_TRUE(notice);
        EXPECT_TRUE(notice->contains(c.notice)) << notice->toStdString();
        EXPECT_TRUE(notice->contains("не перезагружен")) << notice->toStdString();
    }
    host = FakeHost();
    panel.setFaults({});
    link.inputs.password = panel.password();
    ASSERT_TRUE(write());
    EXPECT_EQ(notice, QString()); // a whole write clears it
}

TEST_F(ConfigWrite, SuccessOnlyAfterTheRestartIsAcknowledged)
{
    PanelFaults faults;
    faults.silent = true;
    faults.onlyCommand = QStringLiteral("08");
    panel.setFaults(faults);

    EXPECT_FALSE(write());
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
    EXPECT_EQ(sent(QStringLiteral("0008")), 19);
}

TEST_F(ConfigWrite, NoAtTheQuestionOpensNoPort)
{
    host.confirmAnswers = {false};
    EXPECT_FALSE(write());
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(host.sounds, QList<Sound>{Sound::Information});
    EXPECT_EQ(host.messages, QStringList());
}

// Refusals settled before the port is touched, in their order: the temperatures
// before the question, the password and the records after it.
TEST_F(ConfigWrite, RefusesValuesThatDoNotFit)
{
    const struct {
        const char* name;
        std::function<void(SettingsStore&)> spoil;
        bool asked;
        QString page;
        QString message; // empty: the refusal names the value (see contains)
        QString contains;
    } cases[] = {
        {"empty switch-on temperature", [](SettingsStore& s) { s.setText("EeAdr_DS18B20_on_HI", ""); }, false,
         "TS_Apparatura", TemperatureFormat, {}},
        {"point in place of the comma", [](SettingsStore& s) { s.setText("EeAdr_DS18B20_off_HI", "12.5"); }, false,
         "TS_Apparatura", TemperatureFormat, {}},
        {"lone minus", [](SettingsStore& s) { s.setText("EeAdr_DS18B20_off_HI", "-"); }, false, "TS_Apparatura",
         TemperatureFormat, {}},
        {"temperature beyond 11 bits", [](SettingsStore& s) { s.setText("EeAdr_DS18B20_on_HI", "128"); }, false,
         "TS_Apparatura",
         "Температура «2. Записать большее значение для активации» (128) вне допустимого диапазона "
         "-127,9375 … 127,9375!",
         {}},
        {"a word with bits 12 to 15 set, as read",
         [](SettingsStore& s) { s.setText("EeAdr_DS18B20_off_HI", TemperatureWord::decode(0xF7FF, QLocale::Russian)); },
         false, "TS_Apparatura",
         "Температура «3. Записать меньшее значение для деактивации» (3967,9375) вне допустимого диапазона "
         "-127,9375 … 127,9375!",
         {}},
        {"minus beyond the range", [](SettingsStore& s) { s.setText("EeAdr_DS18B20_off_HI", "-200"); }, false,
         "TS_Apparatura", {}, "(-200) вне допустимого диапазона"},
        {"two-character password", [](SettingsStore& s) { s.setText("EeAdr_PassInstalator", "12"); }, true,
         "TS_Users", QStringLiteral("Слишком маленький пароль установщика!"), {}},
        {"27-character password", [](SettingsStore& s) { s.setText("EeAdr_PassInstalator", QString(27, '1')); },
         true, "TS_Users", {}, "26"},
        {"17-character record of user 7", [](SettingsStore& s) { s.setCell(7, 1, QString(17, 'A')); }, true,
         "TS_Users", {}, "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        host.questions.clear();
        host.pages.clear();
        host.sounds.clear();
        fillWithVariety(store, 11);
        c.spoil(store);

        EXPECT_FALSE(write());
        EXPECT_EQ(port.opens, 0);
        EXPECT_EQ(host.questions.size(), c.asked ? 1 : 0);
        EXPECT_EQ(host.pages, QStringList{c.page});
        ASSERT_EQ(host.messages.size(), 1);
        if (!c.message.isEmpty())
            EXPECT_EQ(host.messages.first(), c.message);
        else
            EXPECT_TRUE(host.messages.first().contains(c.contains)) << host.messages.first().toStdString();
        EXPECT_EQ(host.sounds.contains(Sound::Simple), c.asked);
    }
}

TEST_F(ConfigWrite, ThreeCharacterPasswordIsAccepted)
{
    store.setText(QStringLiteral("EeAdr_PassInstalator"), QStringLiteral("123"));
    ASSERT_TRUE(write());
    EXPECT_EQ(panel.password(), QStringLiteral("123"));
}

TEST_F(ConfigWrite, UnchosenListsAreNamedBeforeTheQuestion)
{
    store.setChoice(QStringLiteral("EeAdr_PER_TST_MESS"), -1);
    for (const char* zone : {"01", "02", "03", "07"})
        store.setChoice(QStringLiteral("EeAdr_DelVhod_") + zone, -1);

    ASSERT_TRUE(write());
    ASSERT_EQ(host.messages.size(), 2);
    const QString& notice = host.messages.first();
    EXPECT_TRUE(notice.contains(QStringLiteral("EeAdr_PER_TST_MESS"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QStringLiteral("EeAdr_DelVhod_NN), зоны 1-3, 7"))) << notice.toStdString();
    EXPECT_FALSE(notice.contains(QStringLiteral("EeAdr_DelEXIT")));
    EXPECT_LT(host.calls.indexOf("message:" + notice), host.calls.indexOf("confirm:" + Question));
    EXPECT_EQ(panel.memory.at(0x0024), 0);
    EXPECT_EQ(panel.memory.at(0x0090), 0);
}

TEST_F(ConfigWrite, WrongPasswordWritesNothing)
{
    link.inputs.password = QStringLiteral("1111");
    const QByteArray before = panel.memory;
    EXPECT_FALSE(write());
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Неверный пароль!")});
    EXPECT_EQ(panel.memory, before);
    EXPECT_EQ(host.progressShowCount, 0);
}

} // namespace
