#include "qzv6process.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Site = FixturePath("cli/site.qzv");

TEST(Qzv6Dump, EverySettingInTheFileOrderThenTheTableAndTheComment)
{
    const Qzv6Run run = RunQzv6({"dump", Site});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 302 + 90 + 13);
    EXPECT_EQ(lines.first(), "EeAdr_PER_TST_MESS=40");
    EXPECT_EQ(lines.at(301), "_eee_ExtLedWhenPass=0");
    EXPECT_EQ(lines.at(302), "SG.Text 1,1=1104123400000000");
    EXPECT_EQ(lines.at(302 + 30), "SG.Text 2,1=Директор");
    EXPECT_EQ(lines.at(302 + 90), "About.About0=В данном поле пользователь может записать комментарий к "
                                  "конфигурации (сохраняется только в файле на компьютере).");
    for (const char* line : {"sComboBox_TypeTM=5", "_eee_Enable_TL=1", "sEdit_TEXT_ZN_09=Склад",
                             "EeAdr_DS18B20_off_HI=-18", "EeAdr_COD_CID_RES_16=3A3F",
                             "About.About1=Объект: склад №2, ул. Промышленная 7"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
}

TEST(Qzv6Dump, WhatTheFileLacksShowsAsLoadingGivesIt)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("short.qzv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[EeAdr_TypeZone_03]\r\nItemIndex=99\r\n[_eee_Enable_TL]\r\nChecked=true\r\n");
    file.close();

    const Qzv6Run run = RunQzv6({"dump", file.fileName()});
    ASSERT_EQ(run.status, 0);
    const QStringList lines = run.out.split('\n');
    EXPECT_TRUE(lines.contains("EeAdr_TypeZone_03=-1"));
    EXPECT_TRUE(lines.contains("_eee_Enable_TL=1"));
    EXPECT_TRUE(lines.contains("EeAdr_TimeOut220V=240"));
    EXPECT_TRUE(lines.contains("EeAdr_PassInstalator="));
}

TEST(Qzv6Diff, EqualFilesSayNothing)
{
    const Qzv6Run run = RunQzv6({"diff", Site, Site});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, QString());
}

TEST(Qzv6Diff, OneLinePerDifferenceWithBothValuesAndTheLabel)
{
    QFile original(Site);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    bytes.replace("[EeAdr_TypeZone_03]\r\nItemIndex=3", "[EeAdr_TypeZone_03]\r\nItemIndex=1");
    bytes.replace("Lines Count=13", "Lines Count=14");
    QTemporaryDir dir;
    QFile changed(dir.filePath("changed.qzv"));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write(bytes);
    changed.close();

    const Qzv6Run run = RunQzv6({"diff", Site, changed.fileName()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{
                  "EeAdr_TypeZone_03: 3 (EOL) / 1 (NC)  (зона 3, Тип схемы: (Тип схемного включения шлейфов))",
                  "About.About13: (no line) / \"\"  (комментарий)",
              }));
}

} // namespace
