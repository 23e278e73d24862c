#include "model/settingsstore.h"

#include "model/catalogue.h"

namespace {

bool textKind(SettingKind kind)
{
    return kind == SettingKind::CodeText || kind == SettingKind::NumberText || kind == SettingKind::FreeText;
}

bool validCell(int row, int column)
{
    return row >= 1 && row <= SettingsStore::UserRows && column >= 1 && column <= SettingsStore::GridColumns;
}

} // namespace

SettingsStore::SettingsStore(QObject* parent) : QObject(parent)
{
    resetToDefaults();
}

void SettingsStore::resetToDefaults()
{
    // Goes through the setters, so that views shown before the reset follow it.
    for (const SettingDef& def : SettingsCatalogue()) {
        QVariant value;
        switch (def.kind) {
        case SettingKind::Flag: value = def.defaultChecked; break;
        case SettingKind::Choice: value = def.defaultIndex; break;
        case SettingKind::Memo: setMemo(def.defaultLines); continue;
        case SettingKind::Grid: continue;
        default: value = def.defaultText; break;
        }
        if (values_.contains(def.name))
            store(def.name, value);
        else
            values_.insert(def.name, value);
    }
    for (int row = 1; row <= UserRows; ++row)
        for (int column = 1; column <= GridColumns; ++column)
            setCell(row, column, QString());
}

const SettingDef& SettingsStore::require(const QString& name, SettingKind kind) const
{
    const SettingDef* def = FindSetting(name);
    // An unknown name is a programming fault: stop loudly while developing.
    Q_ASSERT_X(def, "SettingsStore", qPrintable("unknown Setting " + name));
    Q_ASSERT_X(def && (def->kind == kind || (textKind(kind) && textKind(def->kind))), "SettingsStore",
               qPrintable("wrong kind for " + name));
    static const SettingDef none;
    return def ? *def : none;
}

void SettingsStore::store(const QString& name, const QVariant& value)
{
    auto it = values_.find(name);
    if (it == values_.end() || *it == value)
        return;
    *it = value;
    emit changed(name);
}

bool SettingsStore::flag(const QString& name) const
{
    require(name, SettingKind::Flag);
    return values_.value(name).toBool();
}

void SettingsStore::setFlag(const QString& name, bool checked)
{
    require(name, SettingKind::Flag);
    store(name, checked);
}

int SettingsStore::choice(const QString& name) const
{
    require(name, SettingKind::Choice);
    return values_.value(name, -1).toInt();
}

void SettingsStore::setChoice(const QString& name, int index)
{
    const SettingDef& def = require(name, SettingKind::Choice);
    store(name, index >= 0 && index < def.items.size() ? index : -1);
}

QString SettingsStore::text(const QString& name) const
{
    require(name, SettingKind::FreeText);
    return values_.value(name).toString();
}

void SettingsStore::setText(const QString& name, const QString& text)
{
    require(name, SettingKind::FreeText);
    store(name, text);
}

QString SettingsStore::cell(int row, int column) const
{
    Q_ASSERT(validCell(row, column));
    return validCell(row, column) ? cells_[row - 1][column - 1] : QString();
}

void SettingsStore::setCell(int row, int column, const QString& text)
{
    Q_ASSERT(validCell(row, column));
    if (!validCell(row, column) || cells_[row - 1][column - 1] == text)
        return;
    cells_[row - 1][column - 1] = text;
    emit cellChanged(row, column);
    emit changed(QStringLiteral("SG"));
}

QStringList SettingsStore::memo() const
{
    return memo_;
}

void SettingsStore::setMemo(const QStringList& lines)
{
    if (memo_ == lines)
        return;
    memo_ = lines;
    emit changed(QStringLiteral("AboutMemo"));
}
