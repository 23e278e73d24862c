#include "livewindowfixture.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QWheelEvent>

namespace {

const QByteArray Login = "p003903";
const QByteArray Restart = "p0008";

struct HotKeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QStringList boxes; // every box and dialog the press brings up, in order
    int logins;
    int restarts;
};

void PrintTo(const HotKeyCase& c, std::ostream* os)
{
    *os << c.name;
}

const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

const HotKeyCase HotKeyCases[] = {
    {"CtrlR", Qt::Key_R, Ctrl, {"message:Прочитано успешно."}, 1, 0},
    // The write's own login and the read-back's after the restart.
    {"CtrlW", Qt::Key_W, Ctrl,
     {"confirm:Вы уверены что хотите записать?", "message:Записано успешно, ППК перезагружен."}, 2, 1},
    // The start file differs from the panel: the differences come in a dialog of their own, not a box.
    {"CtrlD", Qt::Key_D, Ctrl, {}, 1, 0},
    {"CtrlS", Qt::Key_S, Ctrl, {"dialog:Збереження конфігурації"}, 0, 0},
    {"CtrlO", Qt::Key_O, Ctrl, {"dialog:Відкривання конфігурації"}, 0, 0},
    {"F5", Qt::Key_F5, Qt::NoModifier, {"message:Открыт изначальный файл [1_Start.qzv]!"}, 0, 0},
    {"Esc", Qt::Key_Escape, Qt::NoModifier, {"message:Зупинено користувачем!"}, 0, 0},
    {"CtrlQ", Qt::Key_Q, Ctrl, {"message:Порти оновлено!"}, 0, 0},
    {"CtrlM", Qt::Key_M, Ctrl, {"message:ППК запомнил сопротивление шлейфов."}, 0, 0},
    {"Ctrl1", Qt::Key_1, Ctrl, {"message:У всех зон нулевая задержка"}, 0, 0},
    {"Ctrl2", Qt::Key_2, Ctrl, {"message:Разрешено изменение периода передачи состояния зон!"}, 0, 0},
    {"Ctrl3", Qt::Key_3, Ctrl, {"message:Все зоны НР!"}, 0, 0},
};

enum class Focus { TabBar, CheckBox, TextEdit };

void PrintTo(Focus focus, std::ostream* os)
{
    static const char* const places[] = {"the tab bar", "a check box", "a text edit"};
    *os << places[int(focus)];
}
using HotKeyPlace = std::tuple<HotKeyCase, Focus>;

class HotKeyOnce : public LiveWindowTest, public testing::WithParamInterface<HotKeyPlace> {
protected:
    void focus(Focus where)
    {
        auto* pages = control<QTabWidget>("PageControl_");
        QWidget* target = pages->tabBar();
        if (where == Focus::TextEdit) {
            target = control("AboutMemo");
        } else if (where == Focus::CheckBox) {
            auto* box = control<QCheckBox>("CkeckSavePess");
            for (int i = 0; i < pages->count(); ++i)
                if (pages->widget(i)->isAncestorOf(box))
                    pages->setCurrentIndex(i);
            target = box;
        }
        target->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), target);
    }
};

TEST_P(HotKeyOnce, RunsItsActionExactlyOnceWhateverHasTheFocus)
{
    const auto& [c, where] = GetParam();
    focus(where);
    const QString memo = control<QPlainTextEdit>("AboutMemo")->toPlainText();

    press(c.key, c.modifiers);
    QTest::qWait(20);

    EXPECT_EQ(boxes.seen, c.boxes);
    EXPECT_EQ(requests(Login), c.logins);
    EXPECT_EQ(panel.restarts, c.restarts);
    // The control still got the key, and took nothing from it.
    EXPECT_EQ(control<QPlainTextEdit>("AboutMemo")->toPlainText(), memo);
}

std::string PlaceName(const testing::TestParamInfo<HotKeyPlace>& info)
{
    static const char* const places[] = {"OnTabBar", "OnCheckBox", "OnTextEdit"};
    return std::string(std::get<0>(info.param).name) + places[int(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Keys, HotKeyOnce,
                         testing::Combine(testing::ValuesIn(HotKeyCases),
                                          testing::Values(Focus::TabBar, Focus::CheckBox, Focus::TextEdit)),
                         PlaceName);

// The window closed when a transfer has reached block 30.
class CloseDuringTransfer : public LiveWindowTest {
protected:
    void closeAtProgress(int position)
    {
        host.onWait = [this, position] {
            if (!closeAsked_ && window->link().TransferProgress.position() >= position) {
                closeAsked_ = true;
                window->close();
            }
        };
    }

    bool windowGone() { return QTest::qWaitFor([this] { return !window->isVisible(); }, 2000); }

    bool closeAsked_ = false;
};

TEST_F(CloseDuringTransfer, AWriteRunsToItsRestartAndMessageThenTheWindowCloses)
{
    closeAtProgress(30);
    QTest::mouseClick(control("ButtonWrite"), Qt::LeftButton);

    ASSERT_TRUE(closeAsked_);
    EXPECT_EQ(panel.restarts, 1);
    EXPECT_EQ(boxes.seen.last(), "message:Записано успешно, ППК перезагружен.");
    EXPECT_TRUE(windowGone());
    EXPECT_TRUE(QFile::exists(QDir(folder.path()).filePath("inputs.ini"))); // closing stored the inputs
}

TEST_F(CloseDuringTransfer, AReadStopsAtItsNextExchangeAndTheWindowCloses)
{
    closeAtProgress(30);
    QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);

    ASSERT_TRUE(closeAsked_);
    EXPECT_FALSE(boxes.seen.contains("message:Прочитано успешно."));
    EXPECT_LT(port.writes.size(), 35);
    EXPECT_TRUE(windowGone());
}

TEST_F(LiveWindowTest, TabInTheCommentMovesOnAndTypesNothing)
{
    auto* memo = control<QPlainTextEdit>("AboutMemo");
    memo->setFocus(Qt::OtherFocusReason);
    const QString before = memo->toPlainText();
    press(Qt::Key_Tab);
    EXPECT_EQ(memo->toPlainText(), before);
    EXPECT_NE(QApplication::focusWidget(), memo);
}

// Only a focused list takes the wheel: scrolling over the link inputs changes nothing.
TEST_F(LiveWindowTest, TheWheelChangesNeitherPortNorSpeedUnlessTheirListHasTheFocus)
{
    for (const char* name : {"cbPort", "cbBaudRate"}) {
        SCOPED_TRACE(name);
        auto* list = control<QComboBox>(name);
        const int before = list->currentIndex();
        const QPoint centre = list->rect().center();
        QWheelEvent notch(centre, list->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &notch);
        EXPECT_EQ(list->currentIndex(), before);
        list->setFocus(Qt::OtherFocusReason);
        QWheelEvent focusedNotch(centre, list->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                                 Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &focusedNotch);
        EXPECT_NE(list->currentIndex(), before);
    }
}

TEST_F(LiveWindowTest, TheLockedStatePeriodShowsItsHint)
{
    auto* period = control<QComboBox>("EeAdr_PER_STS_CH");
    control<QTabWidget>("PageControl_")->setCurrentWidget(control("TS_Apparatura"));
    ASSERT_FALSE(period->isEnabled());
    const QPoint centre = period->rect().center();
    QHelpEvent hover(QEvent::ToolTip, centre, period->mapToGlobal(centre));
    QApplication::sendEvent(period, &hover);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Меняйте если знаете что это.");
    QToolTip::hideText();
}

} // namespace
