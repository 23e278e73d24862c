#include "model/settingsstore.h"

#include <gtest/gtest.h>

namespace {

// Counts the store's notifications per name.
class StoreWithSpy : public ::testing::Test {
protected:
    void SetUp() override
    {
        QObject::connect(&store, &SettingsStore::changed, [this](const QString& name) { changes << name; });
        QObject::connect(&store, &SettingsStore::cellChanged,
                         [this](int row, int column) { cells << QStringLiteral("%1,%2").arg(row).arg(column); });
    }

    SettingsStore store;
    QStringList changes;
    QStringList cells;
};

} // namespace

TEST_F(StoreWithSpy, ChoiceOutsideItsListLeavesNothingChosen)
{
    const std::vector<std::pair<int, int>> cases = {{14, 14}, {15, -1}, {-1, -1}, {-7, -1}, {0, 0}, {1000, -1}};
    for (const auto& [index, expected] : cases) {
        SCOPED_TRACE(index);
        store.setChoice("EeAdr_TypeKeybord", index);
        EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), expected);
    }
    store.setChoice("EeAdr_DelEXIT_16", 255);
    EXPECT_EQ(store.choice("EeAdr_DelEXIT_16"), 255);
    store.setChoice("EeAdr_DelEXIT_16", 256);
    EXPECT_EQ(store.choice("EeAdr_DelEXIT_16"), -1);
}

TEST_F(StoreWithSpy, NotifiesOnlyRealChanges)
{
    store.setFlag("_eee_RES_Inv", false);
    store.setText("EeAdr_COD_VHOD", "1130");
    store.setChoice("EeAdr_TypeKeybord", 0);
    store.setMemo(store.memo());
    store.setCell(4, 2, "");
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(cells.isEmpty());

    store.setFlag("_eee_RES_Inv", true);
    store.setFlag("_eee_RES_Inv", true);
    store.setText("EeAdr_COD_VHOD", "1451");
    store.setChoice("EeAdr_TypeKeybord", 99); // becomes -1: a change
    store.setChoice("EeAdr_TypeKeybord", -1);
    EXPECT_EQ(changes, QStringList({"_eee_RES_Inv", "EeAdr_COD_VHOD", "EeAdr_TypeKeybord"}));
    EXPECT_FALSE(store.flag("_eee_OK_RES_Inv")) << "a different Setting";
}

TEST_F(StoreWithSpy, UserTableHasThirtyRowsOfThreeColumns)
{
    for (int row = 1; row <= 30; ++row)
        for (int column = 1; column <= 3; ++column)
            store.setCell(row, column, QStringLiteral("%1/%2").arg(row).arg(column));
    EXPECT_EQ(store.cell(1, 1), "1/1");
    EXPECT_EQ(store.cell(30, 3), "30/3");
    EXPECT_EQ(store.cell(17, 2), "17/2");
    EXPECT_EQ(cells.size(), 90);
    EXPECT_EQ(cells.first(), "1,1");
    EXPECT_EQ(changes.count("SG"), 90);
}

TEST_F(StoreWithSpy, MemoReplacesAllLines)
{
    store.setMemo({"one", "", "three"});
    EXPECT_EQ(store.memo(), QStringList({"one", "", "three"}));
    store.setMemo({});
    EXPECT_TRUE(store.memo().isEmpty());
    EXPECT_EQ(changes, QStringList({"AboutMemo", "AboutMemo"}));
}

TEST_F(StoreWithSpy, ResetToDefaultsRestoresAndTellsTheViews)
{
    store.setChoice("EeAdr_TypeZone_03", 2);
    store.setText("sEdit_TEXT_ZN_03", "Склад");
    store.setFlag("CkeckSavePess", false);
    store.setCell(2, 1, "1104123400000000");
    store.setMemo({});
    changes.clear();
    cells.clear();

    store.resetToDefaults();
    EXPECT_EQ(store.choice("EeAdr_TypeZone_03"), -1);
    EXPECT_EQ(store.text("sEdit_TEXT_ZN_03"), "Зона");
    EXPECT_TRUE(store.flag("CkeckSavePess"));
    EXPECT_TRUE(store.cell(2, 1).isEmpty());
    EXPECT_EQ(store.memo().size(), 13);
    QStringList sorted = changes;
    sorted.sort();
    EXPECT_EQ(sorted, QStringList({"AboutMemo", "CkeckSavePess", "EeAdr_TypeZone_03", "SG", "sEdit_TEXT_ZN_03"}));
    EXPECT_EQ(cells, QStringList({"2,1"}));
}
