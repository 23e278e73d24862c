#include "ui/desktop.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <windows.h>
#include <shellapi.h>

namespace Desktop {

void Alert(Sound kind)
{
    switch (kind) {
    case Sound::Information:
        MessageBeep(MB_ICONASTERISK);
        break;
    case Sound::Error:
        MessageBeep(MB_ICONHAND);
        break;
    case Sound::Default:
        MessageBeep(0);
        break;
    case Sound::Simple:
        MessageBeep(1);
        break;
    }
}

void Tone(int hz, int ms)
{
    Beep(DWORD(hz), DWORD(ms));
}

void OpenDeviceManager(QWidget*)
{
    ShellExecuteW(nullptr, L"open", L"devmgmt.msc", nullptr, nullptr, SW_SHOWNORMAL);
}

// The inputs belong under HKEY_LOCAL_MACHINE, where an administrator's run keeps them. A standard
// user may not write there (and a 64-bit program is not redirected to a private copy), so where the
// key cannot be opened for writing the same key under HKEY_CURRENT_USER serves for both reading and
// writing: what a user stores is what that user gets back.
std::unique_ptr<QSettings> RememberedStore()
{
    const QString key = QStringLiteral("SOFTWARE\\")
        + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    HKEY handle = nullptr;
    const bool machineWritable = RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t*>(key.utf16()), 0,
                                                 nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &handle, nullptr)
        == ERROR_SUCCESS;
    if (machineWritable)
        RegCloseKey(handle);
    const QString root = machineWritable ? QStringLiteral("HKEY_LOCAL_MACHINE\\") : QStringLiteral("HKEY_CURRENT_USER\\");
    return std::make_unique<QSettings>(root + key, QSettings::NativeFormat);
}

} // namespace Desktop
