#pragma once

#include "model/settingdef.h"

#include <QHash>
#include <QObject>

#include <functional>

class QWidget;
class SettingsStore;

// Makes the control of each Setting and keeps it a view of the store: a user's
// edit goes to the store, and a store change comes back with the control's
// signals blocked, so no reaction meant for the user fires.
class SettingControls : public QObject {
    Q_OBJECT

public:
    explicit SettingControls(SettingsStore& store, QObject* parent = nullptr);

    // The control is named after the Setting and shows its present value.
    QWidget* create(const SettingDef& def, QWidget* parent);

private:
    QWidget* createFlag(const SettingDef& def, QWidget* parent);
    QWidget* createChoice(const SettingDef& def, QWidget* parent);
    QWidget* createText(const SettingDef& def, QWidget* parent);
    QWidget* createMemo(const SettingDef& def, QWidget* parent);
    void refresh(const QString& name);

    SettingsStore& store_;
    QHash<QString, std::function<void()>> refreshers_;
};
