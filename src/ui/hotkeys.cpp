#include "ui/hotkeys.h"

#include <QKeyEvent>

namespace {

struct KeyRow {
    HotKey hotKey;
    int qtKey;
    quint32 xkbKeycode; // the key's place on the keyboard, whatever the layout
    bool needsCtrl;
};

constexpr KeyRow Keys[] = {
    {HotKey::ReloadStartFile, Qt::Key_F5, 71, false},
    {HotKey::Stop, Qt::Key_Escape, 9, false},
    {HotKey::RefreshPorts, Qt::Key_Q, 24, true},
    {HotKey::Memorise, Qt::Key_M, 58, true},
    {HotKey::Open, Qt::Key_O, 32, true},
    {HotKey::Save, Qt::Key_S, 39, true},
    {HotKey::Write, Qt::Key_W, 25, true},
    {HotKey::Read, Qt::Key_R, 27, true},
    {HotKey::Compare, Qt::Key_D, 40, true},
    {HotKey::Preset1, Qt::Key_1, 10, true},
    {HotKey::Preset2, Qt::Key_2, 11, true},
    {HotKey::Preset3, Qt::Key_3, 12, true},
    {HotKey::SaveTrace, Qt::Key_L, 46, true},
};

bool ReportsXkbKeycodes(const QString& platform)
{
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

const KeyRow* Find(const QKeyEvent& event, const QString& platform)
{
    for (const KeyRow& row : Keys)
        if (event.key() == row.qtKey)
            return &row;
    // Shift+1 arrives as "!", and Ctrl+S in a Cyrillic layout as a Cyrillic letter: then the key's
    // place tells it (Windows virtual-key codes of letters and digits equal Qt's key codes).
    const bool windows = platform == QLatin1String("windows");
    for (const KeyRow& row : Keys) {
        if (windows && row.qtKey < 0x100 && event.nativeVirtualKey() == quint32(row.qtKey))
            return &row;
        if (ReportsXkbKeycodes(platform) && event.nativeScanCode() != 0 && event.nativeScanCode() == row.xkbKeycode)
            return &row;
    }
    return nullptr;
}

} // namespace

HotKey HotKeyOf(const QKeyEvent& event, const QString& platform)
{
    if (event.type() != QEvent::KeyPress || event.modifiers().testFlag(Qt::KeypadModifier))
        return HotKey::None;
    const KeyRow* row = Find(event, platform);
    if (!row || (row->needsCtrl && !event.modifiers().testFlag(Qt::ControlModifier)))
        return HotKey::None;
    return row->hotKey;
}
