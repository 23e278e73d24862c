#pragma once

#include "model/settingdef.h"

#include <QValidator>

// Refuses, while typing and without a message, any text that the input rules
// of the edit's kind and maximum length do not accept.
class InputRuleValidator : public QValidator {
public:
    InputRuleValidator(SettingKind kind, int maxLength, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    SettingDef rule_;
};
