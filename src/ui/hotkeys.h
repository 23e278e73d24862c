#pragma once

#include <QString>

class QKeyEvent;

// The keys the main window handles itself, whichever control has the focus.
enum class HotKey { None, ReloadStartFile, Stop, RefreshPorts, Memorise, Open, Save, Write, Read, Compare, Preset1, Preset2, Preset3, SaveTrace };

// What a key press stands for. F5 and Esc act with any modifier; the letters
// and the main-row digits only with Ctrl among the modifiers (Shift and Alt
// change nothing); keypad digits never. platform is the windowing platform's
// name: where it reports keyboard keycodes, a letter typed with another
// keyboard layout (Cyrillic, say) is told by its key's place.
HotKey HotKeyOf(const QKeyEvent& event, const QString& platform);
