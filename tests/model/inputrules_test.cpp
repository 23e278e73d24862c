#include "model/catalogue.h"
#include "model/inputrules.h"

#include <gtest/gtest.h>

TEST(InputRules, TypedTextIsAcceptedByKindAndLength)
{
    struct Case {
        const char* setting;
        QString text;
        bool accepted;
    };
    const Case cases[] = {
        {"EeAdr_PassInstalator", "90817", true},
        {"EeAdr_PassInstalator", "ABCDEF", true},
        {"EeAdr_PassInstalator", "9081a", false},
        {"EeAdr_PassInstalator", "9081G", false},
        {"EeAdr_PassInstalator", QString(32, u'F'), true},
        {"EeAdr_PassInstalator", QString(33, u'F'), false},
        {"EeAdr_COD_CID_EV_01", "113", true},
        {"EeAdr_COD_CID_EV_01", "", true},
        {"EeAdr_COD_CID_RES_16", "31300", false},
        {"EeAdr_COD_VHOD", "1 30", false},
        {"EeAdr_DS18B20_on_HI", "12,5", true},
        {"EeAdr_DS18B20_on_HI", "-18.8", true},
        {"EeAdr_DS18B20_on_HI", "12e1", false},
        {"EeAdr_DS18B20_on_HI", "+5", false},
        {"EeAdr_DS18B20_off_HI", "-127,937", true},
        {"EeAdr_DS18B20_off_HI", "-127,9375", false},
        {"sEdit_TEXT_ZN_01", QString(300, u'ж') + " ;=[]", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setting) + " " + c.text.toStdString());
        EXPECT_EQ(TextAccepted(*FindSetting(c.setting), c.text), c.accepted);
    }
}
