#include "ui/rememberedinputs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>

#include <windows.h>

namespace {

// The program's key; under Wine, as for an administrator, the machine's key is writable.
std::wstring Key()
{
    return L"SOFTWARE\\" + QCoreApplication::applicationName().toStdWString();
}

struct Inputs {
    const char* name;
    int port;
    QString user;
    QString access;
};

void PrintTo(const Inputs& c, std::ostream* os)
{
    *os << c.name;
}

// The three controls the window remembers, by their names.
struct InputControls {
    InputControls()
    {
        port->setObjectName("cbPort");
        port->addItems({"COM1", "COM10", "COM2"});
        user->setObjectName("Edit_User_Ibutton");
        access->setObjectName("Edit_User_acss");
    }
    QWidget window;
    QComboBox* port = new QComboBox(&window);
    QLineEdit* user = new QLineEdit(&window);
    QLineEdit* access = new QLineEdit(&window);
};

class RememberedInRegistry : public testing::TestWithParam<Inputs> {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, Key().c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, Key().c_str()); }
};

TEST_P(RememberedInRegistry, UnderTheProgramsKeyWithTheirTypesAndBackAtTheNextStart)
{
    const Inputs& c = GetParam();
    {
        InputControls closing;
        closing.port->setCurrentIndex(c.port);
        closing.user->setText(c.user);
        closing.access->setText(c.access);
        RememberedInputs().store(closing.window);
    }

    DWORD type = 0;
    DWORD index = 0;
    DWORD size = sizeof index;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, Key().c_str(), L"cbPort.ItemIndex", RRF_RT_ANY, &type, &index, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(int(index), c.port);
    wchar_t text[64] = {};
    size = sizeof text;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, Key().c_str(), L"Edit_User_Ibutton.Text", RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(QString::fromWCharArray(text), c.user);

    InputControls starting;
    RememberedInputs().restore(starting.window);
    EXPECT_EQ(starting.port->currentIndex(), c.port);
    EXPECT_EQ(starting.user->text(), c.user);
    EXPECT_EQ(starting.access->text(), c.access);
}

INSTANTIATE_TEST_SUITE_P(Cases, RememberedInRegistry,
                         testing::Values(Inputs{"PortChosen", 2, "07", "31"}, Inputs{"NoPortChosen", -1, "02", "21"},
                                         Inputs{"EmptyTexts", 0, "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
