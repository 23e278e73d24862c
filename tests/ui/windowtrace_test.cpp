#include "windowfixture.h"

#include <QToolButton>

namespace {

class WindowTraceTest : public WindowTest {
protected:
    void SetUp() override { startShown(); }

    QString saved(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(WindowTraceTest, AReadIsSavedFromTheButtonAndFromCtrlL)
{
    QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);
    ASSERT_EQ(host.messages.last(), "Прочитано успешно.");

    const struct {
        const char* how;
        std::function<void()> ask;
    } ways[] = {
        {"button", [this] { QTest::mouseClick(control("Button_Trace"), Qt::LeftButton); }},
        {"Ctrl+L", [this] { press(Qt::Key_L, Qt::ControlModifier); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        const QString path = binPath(QString::fromLatin1(way.how).remove('+') + ".txt");
        host.dialogAnswers.push_back(path);
        way.ask();
        const QString text = saved(path);
        EXPECT_TRUE(text.contains("> p000501448E;\n")) << qPrintable(text.left(400));
        EXPECT_TRUE(text.contains("< [10] p00000525;  -- принят\n"));
        EXPECT_FALSE(text.contains("0900080107")) << "the password in clear";
        EXPECT_TRUE(host.messages.last().startsWith("Журнал обмена сохранён")) << qPrintable(host.messages.last());
        EXPECT_EQ(host.dialogs.last().title, "Сохранить журнал обмена");
    }
}

TEST_F(WindowTraceTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    const QString path = binPath("missing/trace.txt");
    host.dialogAnswers.push_back(path);
    press(Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(host.messages.last().startsWith("Не удалось сохранить журнал обмена в файл\r\n" + path))
        << qPrintable(host.messages.last());
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
