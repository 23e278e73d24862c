#include "ui/progresswindow.h"
#include "ui/qthost.h"
#include "ui/qttranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

// Answers the next modal message box with the given button, recording what it showed.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), {}, box->defaultButton() ? box->defaultButton()->text() : ""};
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove('&');
        box->button(answer)->click();
    });
}

class QtHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        host.setWindow(&window);
        host.setProgressWindow(&progress);
    }

    QWidget window;
    ProgressWindow progress{&window};
    QtHost host;
};

TEST_F(QtHostTest, MessageIsAnInformationBoxWithOneOk)
{
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    host.message("Не вышло связаться с ЦП !\r\nНужно проверить:");
    EXPECT_EQ(seen.title, "QZV-6 Configurator");
    EXPECT_EQ(seen.text, "Не вышло связаться с ЦП !\nНужно проверить:");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
}

TEST_F(QtHostTest, ConfirmationAsksYesOrNoAndDefaultsToNo)
{
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        SeenBox seen;
        AnswerNextBox(seen, answer);
        EXPECT_EQ(host.confirm("Вы уверены что хотите записать?"), answer == QMessageBox::Yes);
        EXPECT_EQ(seen.buttons.size(), 2);
        EXPECT_EQ(seen.defaultButton.remove('&'), "No");
        EXPECT_EQ(seen.title, "QZV-6 Configurator");
    }
}

TEST_F(QtHostTest, BoxesSpeakTheSystemsLanguage)
{
    QTranslator* russian = InstallQtTranslations(QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_NE(russian, nullptr) << "Qt's translations are missing (qt6-translations-l10n)";
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::No);
    host.confirm("Вы уверены что хотите записать?");
    QCoreApplication::removeTranslator(russian);
    delete russian;
    EXPECT_EQ(seen.buttons, (QStringList{"Да", "Нет"}));
    EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::Zulu, QLocale::SouthAfrica)), nullptr);
}

TEST_F(QtHostTest, WaitLetsEventsRunAndTakesItsTime)
{
    bool fired = false;
    QTimer::singleShot(5, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    const qint64 before = host.now();
    host.wait(30);
    EXPECT_TRUE(fired);
    EXPECT_GE(clock.elapsed(), 29);
    EXPECT_GE(host.now() - before, 29);
}

TEST_F(QtHostTest, WindowStateByObjectName)
{
    auto* pages = new QTabWidget(&window);
    pages->setObjectName("PageControl_");
    for (const char* name : {"TS_Main", "TS_Zones"}) {
        auto* page = new QWidget;
        page->setObjectName(name);
        pages->addTab(page, name);
    }
    auto* frame = new QGroupBox("Контроллер температуры", &window);
    frame->setObjectName("sGroupBox_DS18B20");
    auto* line = new QLabel(&window);
    line->setObjectName("Lable_iButton");

    host.showPage("TS_Zones");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TS_Zones");
    host.showPage("TS_Nowhere");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TS_Zones");
    host.setControlText("sGroupBox_DS18B20", "Контроллер температуры (-5C)");
    EXPECT_EQ(frame->title(), "Контроллер температуры (-5C)");
    host.setControlText("Lable_iButton", "ППК принял команду готовности записи ключа.\r\nПриложите ключ: 119 сек.");
    EXPECT_EQ(line->text(), "ППК принял команду готовности записи ключа.\nПриложите ключ: 119 сек.");
    host.setTitle("QZV-6 Configurator - [home.qzv]");
    EXPECT_EQ(window.windowTitle(), "QZV-6 Configurator - [home.qzv]");
}

TEST_F(QtHostTest, ProgressWindowIsABorderlessBarThatOverhangsItsClientArea)
{
    EXPECT_EQ(progress.objectName(), "Form_RewData");
    EXPECT_TRUE(progress.isWindow());
    EXPECT_TRUE(progress.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(progress.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(progress.size(), QSize(503, 21));
    EXPECT_FALSE(progress.isVisible());
    auto* bar = progress.findChild<QProgressBar*>("ProgressbarWriteOnForm");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(-8, -5, 513, 30));
    EXPECT_FALSE(bar->isTextVisible());

    host.progressBarColor(0xFF0000);
    EXPECT_TRUE(bar->styleSheet().contains("#ff0000"));
    window.show();
    host.progressShow();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(progress.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    host.progressUpdate(4, 87);
    EXPECT_EQ(bar->value(), 4);
    EXPECT_EQ(bar->maximum(), 87);
    host.progressUpdate(100, 87); // beyond the maximum: a full bar
    EXPECT_EQ(bar->value(), 87);
    host.progressUpdate(0, 88);
    EXPECT_EQ(bar->value(), 0);

    host.progressClose();
    EXPECT_FALSE(progress.isVisible());
    host.progressClose(); // closing a hidden window does nothing
    EXPECT_FALSE(progress.isVisible());
}

} // namespace
