#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One page of the main window's page control, in the window's order.
struct PageFacts {
    QString name;    // the page control's name, used to switch pages
    QString caption; // the tab text
};

// The seven pages, TS_Main first and TS_Monitor last.
const std::vector<PageFacts>& Pages();

// nullptr for a name that is not a page.
const PageFacts* FindPage(const QString& name);

// Texts on the hardware page that belong to no Setting.
struct HardwarePageTexts {
    QString tamperOnTlNote;      // the note beside _eee_TamperOnTl
    QString temperatureFrame;    // caption of the frame sGroupBox_DS18B20
    QString stepTmMode;          // instruction 1, the first line in the frame
    QString stepSwitchOn;        // instruction 2, beside EeAdr_DS18B20_on_HI
    QString stepSwitchOff;       // instruction 3, beside EeAdr_DS18B20_off_HI
    QString readTemperature;     // caption of sCheckBox_ReadTemper, on the frame's border
};

const HardwarePageTexts& HardwareTexts();

// Row 0 of the user table SG: the row number column, then columns 1 and 2.
const QStringList& UserTableHeadings();
