#include "model/inputrules.h"

#include <algorithm>

bool IsCodeChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

bool IsNumberChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u',';
}

bool TextAccepted(const SettingDef& def, const QString& text)
{
    if (def.maxLength > 0 && text.size() > def.maxLength)
        return false;
    switch (def.kind) {
    case SettingKind::CodeText: return std::all_of(text.begin(), text.end(), IsCodeChar);
    case SettingKind::NumberText: return std::all_of(text.begin(), text.end(), IsNumberChar);
    default: return true;
    }
}
