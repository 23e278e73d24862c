#include "files/fileorder.h"

#include <QStringList>

namespace {

constexpr int Zones = 16;
const QString FamilyMark = QStringLiteral("_NN");

// Consecutive sections that share a key and a file default.
struct Group {
    FileKey key;
    int number;         // default of ItemIndex and Checked keys
    QString text;       // default of Text keys
    QStringList names;  // a name ending in "_NN" is a zone family
    bool byZone = false; // the default is the member's zone number - 1
};

const std::vector<Group>& Groups()
{
    using K = FileKey;
    static const std::vector<Group> groups = {
        {K::ItemIndex, 0, {}, {"EeAdr_PER_TST_MESS", "EeAdr_VARIANT_ZNS", "EeAdr_PER_STS_CH"}},
        {K::Checked, 1, {}, {"_eee_En_ParalelMaster", "_eee_En_ParalelSlave", "_eee_Enable_TL", "_eee_Enable_ZORO"}},
        {K::ItemIndex, 0, {}, {"EeAdr_TypeKeybord"}},
        {K::ItemIndex, 1, {}, {"EeAdr_SLAVE_ADRESS"}},
        {K::ItemIndex, 0, {}, {"EeAdr_QtyLinds"}},
        {K::ItemIndex, 240, {}, {"EeAdr_TimeOut220V"}},
        {K::ItemIndex, 1, {}, {"sComboBox_TypeTM"}},
        {K::ItemIndex, 0, {}, {"EeAdr_TypeZone_NN", "EeAdr_Algoritm_NN", "EeAdr_DelEXIT_NN", "EeAdr_DelVhod_NN"}},
        {K::ItemIndex, 0, {}, {"EeAdr_ShiftZones_NN"}, true},
        {K::Checked, 1, {},
         {"EeAdr_Zone_1_8_GR_A_NN", "EeAdr_Zone_1_8_GR_B_NN", "EeAdr_Zone_1_8_GR_C_NN", "EeAdr_Zone_1_8_GR_D_NN"}},
        {K::Text, 0, "1130", {"EeAdr_COD_CID_EV_NN"}},
        {K::Text, 0, "3130", {"EeAdr_COD_CID_RES_NN"}},
        {K::Text, 0, "Зона", {"sEdit_TEXT_ZN_NN"}},
        {K::Text, 0, "1451", {"EeAdr_COD_VHOD"}},
        {K::Checked, 1, {}, {"CkeckSavePess"}},
        {K::Text, 0, {}, {"EeAdr_PassInstalator"}},
        {K::Text, 0, "0", {"EeAdr_DS18B20_on_HI", "EeAdr_DS18B20_off_HI"}},
        {K::ItemIndex, 0, {}, {"EeAdr_SZO_TIMEOUT"}},
        {K::Checked, 1, {}, {"_eee_OkResGR_B", "_eee_ReservWhenPass", "_eee_RES_Inv", "_eee_OkResAndOrBit"}},
        {K::Checked, 0, {},
         {"_eee_OkResShow220V", "_eee_OkResAnyCHSts", "_eee_OkResSTS_A", "_eee_OkResGR_D", "_eee_EnVirtOut_1",
          "_eee_EnVirtOut_2", "_eee_EnVirtOut_3", "_eee_EnVirtOut_4", "_eee_EnVirtOut_5", "_eee_EnVirtOut_6",
          "_eee_EnVirtOut_7", "_eee_EnVirtOut_8"}},
        {K::ItemIndex, 0, {}, {"EeAdr_RESER_TIMEOUT"}},
        {K::Checked, 1, {}, {"EeAdr_ZONES_1_8_OKRES_NN"}},
        {K::Checked, 0, {}, {"EeAdr_ZonNotBuz_1_8_NN", "EeAdr_GR_A_AvtoIskl_1_8_NN", "_eee_SendEvVhod"}},
        {K::Checked, 1, {},
         {"_eee_DisVerTlFree", "_eee_OK_BUZ_Inv", "_eee_OK_LED_Inv", "_eee_OK_RES_Inv", "_eee_ChaimeOnAllChan",
          "_eee_LED_EXT_COPY_KB"}},
        {K::Checked, 0, {}, {"_eee_DONT_TL_FAULT", "_eee_TamperOnTl", "_eee_NotVerTamperZone", "_eee_EnabZonTogle"}},
        {K::Checked, 1, {}, {"_eee_ExtLedShowGR_A", "_eee_ExtLedShowGR_B", "_eee_ExtLedShowGR_C", "_eee_ExtLedShowGR_D"}},
        {K::Checked, 0, {}, {"_eee_OneCode_A_B", "_eee_EnableAlarmKey", "_eee_LimitBeeps", "_eee_SZO_in_sec"}},
        {K::Checked, 1, {}, {"_eee_Control_IP", "_eee_ControlSzo", "_eee_VerFaultBefoArm", "_eee_OnKPDKlemmiLeds"}},
        {K::Checked, 0, {}, {"_eee_Z9Z10OnTl", "_eee_SZOvenARM"}},
        {K::Checked, 1, {}, {"_eee_SZObeepWhenPass", "_eee_ExtLedWhenPass"}},
    };
    return groups;
}

std::vector<FileSection> Expand()
{
    std::vector<FileSection> sections;
    for (const Group& group : Groups()) {
        for (const QString& name : group.names) {
            if (!name.endsWith(FamilyMark)) {
                sections.push_back({name, group.key, group.number, group.text});
                continue;
            }
            const QString stem = name.chopped(FamilyMark.size());
            for (int zone = 1; zone <= Zones; ++zone)
                sections.push_back({stem + QStringLiteral("_%1").arg(zone, 2, 10, QLatin1Char('0')), group.key,
                                    group.byZone ? zone - 1 : group.number, group.text});
        }
    }
    return sections;
}

} // namespace

QString FileKeyName(FileKey key)
{
    switch (key) {
    case FileKey::ItemIndex: return QStringLiteral("ItemIndex");
    case FileKey::Checked: return QStringLiteral("Checked");
    case FileKey::Text: return QStringLiteral("Text");
    }
    return {};
}

const std::vector<FileSection>& FileOrder()
{
    static const std::vector<FileSection> sections = Expand();
    return sections;
}
