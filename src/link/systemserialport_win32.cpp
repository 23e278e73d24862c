#include "link/systemserialport.h"

#include "link/porttexts.h"
#include "link/win32serialport_win32.h"

#include <iterator>
#include <windows.h>

std::unique_ptr<SerialPort> MakeSystemSerialPort()
{
    return std::make_unique<Win32SerialPort>();
}

// Every value of the key is a port: its name is the driver's device, its data the port's name.
// A system without serial ports has no such key, so the error text names that case.
QList<PortEntry> SystemSerialPorts()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS)
        throw EComPort(PortTexts::Registry);
    QList<PortEntry> entries;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD valueNameSize = std::size(valueName);
        wchar_t data[256] = {};
        DWORD dataSize = sizeof data - sizeof(wchar_t); // room for the terminator RegEnumValue may omit
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, valueName, &valueNameSize, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA) // no port's name is that long
            continue;
        if (status != ERROR_SUCCESS) {
            RegCloseKey(key);
            throw EComPort(PortTexts::Registry);
        }
        if (type == REG_SZ && data[0] != L'\0') {
            const QString name = QString::fromWCharArray(data);
            entries << PortEntry{name, QStringLiteral("\\\\.\\") + name, {}};
        }
    }
    RegCloseKey(key);
    return entries;
}
