#include "ui/settingcontrols.h"

#include "model/settingsstore.h"
#include "ui/apptexts.h"
#include "ui/choicebox.h"
#include "ui/inputrulevalidator.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

SettingControls::SettingControls(SettingsStore& store, QObject* parent) : QObject(parent), store_(store)
{
    connect(&store_, &SettingsStore::changed, this, &SettingControls::refresh);
}

QWidget* SettingControls::create(const SettingDef& def, QWidget* parent)
{
    QWidget* control = nullptr;
    switch (def.kind) {
    case SettingKind::Flag: control = createFlag(def, parent); break;
    case SettingKind::Choice: control = createChoice(def, parent); break;
    case SettingKind::CodeText:
    case SettingKind::NumberText:
    case SettingKind::FreeText: control = createText(def, parent); break;
    case SettingKind::Memo: control = createMemo(def, parent); break;
    case SettingKind::Grid: return nullptr; // the user table is a widget of its own
    }
    control->setObjectName(def.name);
    // Cells of the zone table show no hints; their column headings do.
    if (def.family.isEmpty() && !def.hint.isEmpty())
        control->setToolTip(AppTexts::Display(def.hint));
    control->setEnabled(!def.disabledAtStart);
    refresh(def.name);
    return control;
}

QWidget* SettingControls::createFlag(const SettingDef& def, QWidget* parent)
{
    auto* box = new QCheckBox(def.family.isEmpty() ? AppTexts::Display(def.caption) : QString(), parent);
    const QString name = def.name;
    connect(box, &QCheckBox::toggled, this, [this, name](bool checked) { store_.setFlag(name, checked); });
    refreshers_[name] = [this, box, name] {
        const QSignalBlocker blocker(box);
        box->setChecked(store_.flag(name));
    };
    return box;
}

QWidget* SettingControls::createChoice(const SettingDef& def, QWidget* parent)
{
    auto* box = new ChoiceBox(parent);
    box->addItems(def.items);
    box->setMaxVisibleItems(16);
    const QString name = def.name;
    connect(box, &QComboBox::currentIndexChanged, this, [this, name](int index) { store_.setChoice(name, index); });
    refreshers_[name] = [this, box, name] {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(store_.choice(name));
    };
    return box;
}

QWidget* SettingControls::createText(const SettingDef& def, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    // The length is a typing rule only: QLineEdit::setMaxLength would also cut a longer
    // value from a file or the panel on screen while the store keeps it whole.
    if (def.kind != SettingKind::FreeText || def.maxLength > 0)
        edit->setValidator(new InputRuleValidator(def.kind, def.maxLength, edit));
    const QString name = def.name;
    connect(edit, &QLineEdit::textChanged, this, [this, name](const QString& text) { store_.setText(name, text); });
    refreshers_[name] = [this, edit, name] {
        const QString text = store_.text(name);
        if (edit->text() == text)
            return; // keeps the cursor where the user is typing
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    };
    return edit;
}

QWidget* SettingControls::createMemo(const SettingDef& def, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on, as in every other edit; a comment has no use for tab characters.
    memo->setTabChangesFocus(true);
    const QString name = def.name;
    connect(memo, &QPlainTextEdit::textChanged, this,
            [this, memo] { store_.setMemo(memo->toPlainText().split(QLatin1Char('\n'))); });
    refreshers_[name] = [this, memo] {
        const QStringList lines = store_.memo();
        if (memo->toPlainText().split(QLatin1Char('\n')) == lines)
            return;
        const QSignalBlocker blocker(memo);
        memo->setPlainText(lines.join(QLatin1Char('\n')));
    };
    return memo;
}

void SettingControls::refresh(const QString& name)
{
    if (const auto it = refreshers_.constFind(name); it != refreshers_.constEnd())
        (*it)();
}
