#include "files/configfile.h"
#include "files/fileorder.h"

#include "filetesting.h"
#include "model/catalogue.h"
#include "model/settingsstore.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

using filetesting::Fixture;
using filetesting::Lines;
using filetesting::ReadBytes;

namespace {

struct Section {
    QString name;
    QStringList entries;
};

// The sections of a file as written, blank lines left out.
std::vector<Section> Sections(const QByteArray& bytes)
{
    std::vector<Section> sections;
    for (const QString& line : Lines(bytes)) {
        if (line.startsWith('[') && line.endsWith(']'))
            sections.push_back({line.mid(1, line.size() - 2), {}});
        else if (!line.isEmpty() && !sections.empty())
            sections.back().entries << line;
    }
    return sections;
}

QString KeyFor(SettingKind kind)
{
    switch (kind) {
    case SettingKind::Choice: return "ItemIndex";
    case SettingKind::Flag: return "Checked";
    default: return "Text";
    }
}

QStringList UserTableKeys()
{
    QStringList keys;
    for (int column = 1; column <= 3; ++column)
        for (int row = 1; row <= 30; ++row)
            keys << QStringLiteral("Text %1,%2").arg(column).arg(row);
    return keys;
}

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }

    void save(const QString& file)
    {
        ConfigFile config(file, ConfigFile::Mode::Save);
        WriteConfigFile(config, store);
        config.close();
    }

    void load(const QString& file, SettingsStore& into)
    {
        ConfigFile config(file, ConfigFile::Mode::Load);
        LoadConfigFile(config, into);
        config.close();
    }
    void load(const QString& file) { load(file, store); }

    QString copyOf(const QString& fixture)
    {
        const QString copy = path(fixture);
        EXPECT_TRUE(QFile::copy(Fixture(fixture), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }

    void fillUserTable()
    {
        for (int column = 1; column <= 3; ++column)
            for (int row = 1; row <= 30; ++row)
                store.setCell(row, column, QStringLiteral("ячейка %1,%2").arg(column).arg(row));
    }

    bool userTableBlank() const
    {
        for (int column = 1; column <= 3; ++column)
            for (int row = 1; row <= 30; ++row)
                if (!store.cell(row, column).isEmpty())
                    return false;
        return true;
    }

    QTemporaryDir dir;
    SettingsStore store;
};

TEST(FileOrder, CoversEveryCatalogueSettingOnceWithTheKeyOfItsKind)
{
    QSet<QString> seen;
    for (const FileSection& section : FileOrder()) {
        SCOPED_TRACE(filetesting::Str(section.name));
        const SettingDef* def = FindSetting(section.name);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(FileKeyName(section.key), KeyFor(def->kind));
        EXPECT_FALSE(seen.contains(section.name));
        seen << section.name;
    }
    for (const SettingDef& def : SettingsCatalogue()) {
        if (def.kind != SettingKind::Grid && def.kind != SettingKind::Memo) {
            EXPECT_TRUE(seen.contains(def.name)) << filetesting::Str(def.name);
        }
    }
    EXPECT_EQ(seen.size(), 302);
}

TEST_F(ConfigFileTest, FreshStoreWritesTheFixedLayout)
{
    save(path("fresh.qzv"));
    const QByteArray bytes = ReadBytes(path("fresh.qzv"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.contains("[sEdit_TEXT_ZN_16]\r\nText=\xC7\xEE\xED\xE0\r\n"));

    const std::vector<Section> sections = Sections(bytes);
    ASSERT_EQ(sections.size(), 304u);
    // Anchors of the fixed order, independent of the table under test.
    const std::pair<int, const char*> anchors[] = {
        {1, "EeAdr_PER_TST_MESS"}, {12, "sComboBox_TypeTM"}, {13, "EeAdr_TypeZone_01"}, {92, "EeAdr_ShiftZones_16"},
        {189, "sEdit_TEXT_ZN_01"}, {206, "CkeckSavePess"}, {226, "_eee_EnVirtOut_8"}, {276, "_eee_SendEvVhod"},
        {302, "_eee_ExtLedWhenPass"}, {303, "SG"}, {304, "About"}};
    for (const auto& [number, name] : anchors)
        EXPECT_EQ(sections[number - 1].name, name) << number;
    for (size_t i = 0; i < FileOrder().size(); ++i) {
        const SettingDef* def = FindSetting(sections[i].name);
        ASSERT_NE(def, nullptr) << filetesting::Str(sections[i].name);
        ASSERT_EQ(sections[i].entries.size(), 1) << filetesting::Str(sections[i].name);
        EXPECT_TRUE(sections[i].entries[0].startsWith(KeyFor(def->kind) + "=")) << filetesting::Str(sections[i].name);
    }
    EXPECT_EQ(sections[0].entries, QStringList("ItemIndex=-1"));
    EXPECT_EQ(sections[205].entries, QStringList("Checked=1"));

    QStringList emptyCells;
    for (const QString& key : UserTableKeys())
        emptyCells << key + "=";
    EXPECT_EQ(sections[302].entries, emptyCells);

    QStringList about{QStringLiteral("Lines Count=%1").arg(store.memo().size())};
    for (int i = 0; i < store.memo().size(); ++i)
        about << "About" + QString::number(i) + "=" + store.memo()[i];
    EXPECT_EQ(sections[303].entries, about);
}

// Every Setting moved off its start value, so a lost or crossed value shows.
void ChangeEverything(SettingsStore& store)
{
    int n = 0;
    for (const SettingDef& def : SettingsCatalogue()) {
        ++n;
        switch (def.kind) {
        case SettingKind::Flag: store.setFlag(def.name, !store.flag(def.name)); break;
        case SettingKind::Choice:
            store.setChoice(def.name, store.choice(def.name) == def.items.size() - 1 ? 0 : def.items.size() - 1);
            break;
        case SettingKind::Grid: break;
        case SettingKind::Memo: break;
        default: store.setText(def.name, QStringLiteral("Знач;%1=ё").arg(n)); break;
        }
    }
    store.setFlag("CkeckSavePess", true);
    for (int column = 1; column <= 3; ++column)
        for (int row = 1; row <= 30; ++row)
            store.setCell(row, column, QStringLiteral("%1 Ї %2").arg(column).arg(row));
    store.setMemo({"Объект: склад №2", "", "ґєії ЁЖ"});
}

TEST_F(ConfigFileTest, EveryKindSurvivesSaveAndLoad)
{
    ChangeEverything(store);
    save(path("a.qzv"));
    SettingsStore loaded;
    load(path("a.qzv"), loaded);
    for (const SettingDef& def : SettingsCatalogue()) {
        SCOPED_TRACE(filetesting::Str(def.name));
        switch (def.kind) {
        case SettingKind::Flag: EXPECT_EQ(loaded.flag(def.name), store.flag(def.name)); break;
        case SettingKind::Choice: EXPECT_EQ(loaded.choice(def.name), store.choice(def.name)); break;
        case SettingKind::Grid:
            for (int column = 1; column <= 3; ++column)
                for (int row = 1; row <= 30; ++row)
                    EXPECT_EQ(loaded.cell(row, column), store.cell(row, column));
            break;
        case SettingKind::Memo: EXPECT_EQ(loaded.memo(), store.memo()); break;
        default: EXPECT_EQ(loaded.text(def.name), store.text(def.name)); break;
        }
    }
}

TEST_F(ConfigFileTest, LoadThenSaveReproducesTheFile)
{
    ChangeEverything(store);
    save(path("a.qzv"));
    SettingsStore other;
    load(path("a.qzv"), other);
    ConfigFile copy(path("b.qzv"), ConfigFile::Mode::Save);
    WriteConfigFile(copy, other);
    copy.close();
    EXPECT_EQ(ReadBytes(path("b.qzv")), ReadBytes(path("a.qzv")));
}

TEST_F(ConfigFileTest, FilesWithoutKnownSectionsLoadTheFileDefaults)
{
    filetesting::WriteBytes(path("empty.qzv"), {});
    filetesting::WriteBytes(path("foreign.qzv"), "[Other]\r\nItemIndex=5\r\nChecked=0\r\nText=x\r\n");
    for (const QString& file : {path("missing.qzv"), path("empty.qzv"), path("foreign.qzv"), dir.path()}) {
        SCOPED_TRACE(filetesting::Str(file));
        ChangeEverything(store);
        load(file);
        for (const FileSection& section : FileOrder()) {
            SCOPED_TRACE(filetesting::Str(section.name));
            switch (section.key) {
            case FileKey::ItemIndex: EXPECT_EQ(store.choice(section.name), section.defaultNumber); break;
            case FileKey::Checked: EXPECT_EQ(store.flag(section.name), section.defaultNumber != 0); break;
            case FileKey::Text: EXPECT_EQ(store.text(section.name), section.defaultText); break;
            }
        }
        EXPECT_TRUE(userTableBlank());
        EXPECT_TRUE(store.memo().isEmpty());
    }
    EXPECT_EQ(store.choice("EeAdr_TimeOut220V"), 240);
    EXPECT_EQ(store.choice("EeAdr_ShiftZones_01"), 0);
    EXPECT_EQ(store.choice("EeAdr_ShiftZones_16"), 15);
    EXPECT_EQ(store.text("sEdit_TEXT_ZN_07"), "Зона");
}

TEST_F(ConfigFileTest, HandWrittenValuesAreReadByTheRules)
{
    load(Fixture("odd_values.qzv"));
    const std::pair<const char*, int> choices[] = {
        {"EeAdr_TypeKeybord", 2}, {"EeAdr_SLAVE_ADRESS", 3}, {"EeAdr_VARIANT_ZNS", -1},
        {"EeAdr_TimeOut220V", -1}, {"EeAdr_QtyLinds", 0}};
    for (const auto& [name, index] : choices)
        EXPECT_EQ(store.choice(name), index) << name;
    const std::pair<const char*, bool> flags[] = {
        {"_eee_OkResShow220V", false}, {"_eee_Enable_TL", true}, {"_eee_TamperOnTl", true}, {"_eee_OkResGR_B", false}};
    for (const auto& [name, checked] : flags)
        EXPECT_EQ(store.flag(name), checked) << name;
    const std::pair<const char*, const char*> texts[] = {
        {"sEdit_TEXT_ZN_01", "Склад"}, {"sEdit_TEXT_ZN_02", "  Вход "}, {"sEdit_TEXT_ZN_03", "'Гараж\""},
        {"sEdit_TEXT_ZN_04", "a=b"}, {"sEdit_TEXT_ZN_05", "Зона"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(store.text(name), QString::fromUtf8(text)) << name;
    EXPECT_EQ(store.memo(), QStringList({"Первая", "", ""}));

    save(path("out.qzv"));
    const ProfileFile saved = ConfigFile(path("out.qzv"), ConfigFile::Mode::Load).profile();
    EXPECT_EQ(saved.value("EeAdr_VARIANT_ZNS", "ItemIndex"), "-1");
    EXPECT_EQ(saved.value("EeAdr_TypeKeybord", "ItemIndex"), "2");
    EXPECT_EQ(saved.value("_eee_TamperOnTl", "Checked"), "1");
}

TEST_F(ConfigFileTest, CommentLinesFollowTheirCount)
{
    load(Fixture("no_about.qzv"));
    EXPECT_TRUE(store.memo().isEmpty());
    EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), 3);

    const std::pair<const char*, QStringList> cases[] = {
        {"Lines Count=0\r\nAbout0=x", {}},
        {"Lines Count=-2\r\nAbout0=x", {}},
        {"Lines Count=two\r\nAbout0=x", {}},
        {"Lines Count=2\r\nAbout1=b\r\nAbout0=a\r\nAbout2=c", {"a", "b"}},
        {"Lines Count=$3\r\nAbout2=c", {"", "", "c"}},
    };
    for (const auto& [about, lines] : cases) {
        SCOPED_TRACE(about);
        filetesting::WriteBytes(path("about.qzv"), QByteArray("[About]\r\n") + about + "\r\n");
        load(path("about.qzv"));
        EXPECT_EQ(store.memo(), lines);
    }
}

TEST_F(ConfigFileTest, ADamagedLineCountCannotExhaustMemory)
{
    filetesting::WriteBytes(path("huge.qzv"), "[About]\r\nLines Count=2147483647\r\nAbout0=kept\r\n");
    load(path("huge.qzv"));
    ASSERT_FALSE(store.memo().isEmpty());
    EXPECT_EQ(store.memo().front(), "kept");
    EXPECT_LE(store.memo().size(), 100000);
}

TEST_F(ConfigFileTest, SavingWithoutPasswordsBlanksTheUserTableEverywhere)
{
    fillUserTable();
    store.setFlag("CkeckSavePess", false);
    save(path("off.qzv"));
    EXPECT_TRUE(userTableBlank());
    const std::vector<Section> sections = Sections(ReadBytes(path("off.qzv")));
    ASSERT_EQ(sections.size(), 304u);
    EXPECT_EQ(sections[205].entries, QStringList("Checked=0"));
    QStringList emptyCells;
    for (const QString& key : UserTableKeys())
        emptyCells << key + "=";
    EXPECT_EQ(sections[302].entries, emptyCells);
}

TEST_F(ConfigFileTest, LoadingWithoutPasswordsLeavesTheUserTableBlank)
{
    fillUserTable();
    load(Fixture("passwords_off.qzv"));
    EXPECT_FALSE(store.flag("CkeckSavePess"));
    EXPECT_TRUE(userTableBlank());
}

TEST_F(ConfigFileTest, HiddenThirdColumnIsCarriedThrough)
{
    const QString file = copyOf("foreign.ini");
    load(file);
    EXPECT_EQ(store.cell(2, 3), "рука");
    EXPECT_EQ(store.cell(2, 1), "");
    save(path("fresh.qzv"));
    save(file);
    for (const QString& saved : {path("fresh.qzv"), file}) {
        const ProfileFile profile = ConfigFile(saved, ConfigFile::Mode::Load).profile();
        EXPECT_EQ(profile.value("SG", "Text 3,2"), "рука") << filetesting::Str(saved);
    }
}

TEST_F(ConfigFileTest, ZoneNamesLoseTheirEndBlanks)
{
    store.setText("sEdit_TEXT_ZN_05", "  Склад №1  ");
    save(path("z.qzv"));
    EXPECT_TRUE(Lines(ReadBytes(path("z.qzv"))).contains("Text=  Склад №1  "));
    load(path("z.qzv"));
    EXPECT_EQ(store.text("sEdit_TEXT_ZN_05"), "Склад №1");
}

TEST_F(ConfigFileTest, SavingOverAnExistingFileUpdatesItInPlace)
{
    const QString file = copyOf("foreign.ini");
    store.setChoice("EeAdr_TypeZone_01", 2);
    store.setMemo({"новый"});
    save(file);
    const QStringList lines = Lines(ReadBytes(file));
    const QStringList head = {"; written by another program", "[Other Program]", "Path=C:\\Темп",
                              "[EEADR_TYPEZONE_01]", "ItemIndex=2", "Extra=keep me", "[SG]", "Text 3,2=",
                              "Text 1,1="};
    EXPECT_EQ(lines.mid(0, head.size()), head);
    const qsizetype about = lines.indexOf("[About]");
    ASSERT_GT(about, 0);
    EXPECT_EQ(lines.mid(about, 8), QStringList({"[About]", "Lines Count=1", "About0=новый", "About1=b", "About2=c",
                                                "About3=d", "", "[Trailer]"}));
    EXPECT_EQ(lines.mid(about + 8, 3), QStringList({"x=1", "", "[EeAdr_PER_TST_MESS]"}));
    EXPECT_EQ(Sections(ReadBytes(file)).size(), 2u + 304u);

    load(file);
    EXPECT_EQ(store.memo(), QStringList("новый"));
}

} // namespace
