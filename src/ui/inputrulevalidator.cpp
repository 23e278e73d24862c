#include "ui/inputrulevalidator.h"

#include "model/inputrules.h"

InputRuleValidator::InputRuleValidator(SettingKind kind, int maxLength, QObject* parent) : QValidator(parent)
{
    rule_.kind = kind;
    rule_.maxLength = maxLength;
}

QValidator::State InputRuleValidator::validate(QString& input, int&) const
{
    return TextAccepted(rule_, input) ? Acceptable : Invalid;
}
