#pragma once

#include "model/settingdef.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>

// The one owner of every Setting's value. Widgets, the files, the panel
// transfer and the presets all work on it; views follow its signals.
class SettingsStore : public QObject {
    Q_OBJECT

public:
    static constexpr int UserRows = 30;
    static constexpr int GridColumns = 3;

    explicit SettingsStore(QObject* parent = nullptr);

    void resetToDefaults();

    bool flag(const QString& name) const;
    void setFlag(const QString& name, bool checked);

    // Item index, -1 for nothing chosen; an index outside the items becomes -1.
    int choice(const QString& name) const;
    void setChoice(const QString& name, int index);

    // Code, number and free texts.
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text);

    // The user table SG: row 1..30, column 1..3.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    QStringList memo() const;
    void setMemo(const QStringList& lines);

signals:
    // name is the Setting's name; "SG" for a cell, "AboutMemo" for the memo.
    void changed(const QString& name);
    void cellChanged(int row, int column);

private:
    const SettingDef& require(const QString& name, SettingKind kind) const;
    void store(const QString& name, const QVariant& value);

    QHash<QString, QVariant> values_;
    QString cells_[UserRows][GridColumns];
    QStringList memo_;
};
