#pragma once

#include <QByteArray>
#include <QString>

// Misbehaviour of the virtual panel on demand. Requests are counted from the
// moment the faults are set, and only those the faults apply to.
struct PanelFaults {
    bool silent = false;          // hears nothing, answers nothing
    int answerAfter = 0;          // the first N requests are lost
    int stopAfter = -1;           // after N requests the panel falls silent; -1 never
    int lateMs = 0;               // answers this much later on the panel's clock
    bool corruptChecksum = false; // every frame it sends has a wrong checksum
    bool echoOtherCommand = false; // answers as if to another command
    bool lowerCaseHex = false;    // writes its hexadecimal digits in lower case
    QByteArray noise{};           // sent before each answer: noise or an older frame
    bool echoRequest = false;     // the request comes back before the answer
    QString onlyCommand{};        // two digits: the faults touch only this command
    int dropWriteAt = -1;         // a write request to this address is acknowledged, not stored; -1 none
};
