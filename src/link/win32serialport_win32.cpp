#include "link/win32serialport_win32.h"

#include "link/baudrates.h"
#include "link/porttexts.h"

#include <cmath>
#include <windows.h>

namespace {

constexpr DWORD DriverBuffer = 2048;
constexpr int BitsPerCharacter = 10; // start, 8 data, stop

// 1 ms per character as the port's time-outs give it; below 14400 bit/s a character takes longer
// than that on the line, and a time-out shorter than the line would cut every reply.
DWORD CharacterMs(int speedIndex)
{
    return DWORD(std::max(1.0, std::ceil(1000.0 * BitsPerCharacter / BaudRates[speedIndex])));
}

HANDLE Handle(void* handle)
{
    return static_cast<HANDLE>(handle);
}

} // namespace

Win32SerialPort::~Win32SerialPort()
{
    close();
}

bool Win32SerialPort::open()
{
    if (isOpen())
        return true;
    const QString path = name_.startsWith(QStringLiteral("\\\\.\\")) ? name_ : QStringLiteral("\\\\.\\") + name_;
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            throw EComPort(PortTexts::NotFound);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            throw EComPort(PortTexts::Busy);
        default:
            throw EComPort(PortTexts::SetCommState);
        }
    }
    handle_ = handle;
    if (!SetupComm(handle, DriverBuffer, DriverBuffer))
        fail(PortTexts::SetupComm);
    applyLineSettings();
    // Whatever the line held before this operation is not an answer to it.
    if (!PurgeComm(handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
        fail(PortTexts::PurgeComm);
    return true;
}

void Win32SerialPort::applyLineSettings()
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(Handle(handle_), &dcb))
        fail(PortTexts::SetCommState);
    dcb.BaudRate = DWORD(BaudRates[speedIndex_]);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    // DTR and RTS on through the DCB alone: raising them again with EscapeCommFunction fails on a
    // line without modem lines (a pseudo-terminal under Wine), which would refuse a usable port.
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(Handle(handle_), &dcb))
        fail(PortTexts::SetCommState);
    const DWORD perCharacter = CharacterMs(speedIndex_);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = perCharacter;
    timeouts.ReadTotalTimeoutMultiplier = perCharacter;
    timeouts.ReadTotalTimeoutConstant = 1;
    timeouts.WriteTotalTimeoutMultiplier = perCharacter;
    timeouts.WriteTotalTimeoutConstant = 1;
    if (!SetCommTimeouts(Handle(handle_), &timeouts))
        fail(PortTexts::SetCommTimeouts);
}

bool Win32SerialPort::close()
{
    if (isOpen())
        CloseHandle(Handle(handle_));
    handle_ = nullptr;
    return true;
}

void Win32SerialPort::setPortName(const QString& name)
{
    if (isOpen())
        throw EComPort(PortTexts::ChangeWhileOpen);
    name_ = name;
}

void Win32SerialPort::setSpeedIndex(int index)
{
    if (index < 0 || index >= int(BaudRates.size()))
        throw EComPort(PortTexts::SetCommState);
    speedIndex_ = index;
    if (isOpen())
        applyLineSettings();
}

void Win32SerialPort::write(const QByteArray& data)
{
    if (!isOpen())
        throw EComPort(PortTexts::Write);
    DWORD written = 0;
    if (!WriteFile(Handle(handle_), data.constData(), DWORD(data.size()), &written, nullptr)
        || written != DWORD(data.size()))
        fail(PortTexts::Write);
}

QByteArray Win32SerialPort::read(int maxCount)
{
    if (!isOpen())
        throw EComPort(PortTexts::Read);
    if (maxCount <= 0)
        return {};
    QByteArray out(maxCount, Qt::Uninitialized);
    DWORD received = 0;
    if (!ReadFile(Handle(handle_), out.data(), DWORD(maxCount), &received, nullptr))
        fail(PortTexts::Read);
    out.truncate(int(received));
    return out;
}

void Win32SerialPort::fail(const QString& text)
{
    close();
    throw EComPort(text);
}
