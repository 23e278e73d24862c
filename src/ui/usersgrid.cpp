#include "ui/usersgrid.h"

#include "model/inputrules.h"
#include "model/settingsstore.h"
#include "ui/apptexts.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QValidator>

namespace {

constexpr int Rows = SettingsStore::UserRows;
constexpr int RowHeight = 22;
constexpr int ColumnWidths[] = {40, 145, 152};
constexpr int CodeEditLength = 16;
constexpr int NoteEditLength = 100;

// What one cell edit lets in: a text no longer than the limit and, after a click
// in the code column, no characters but 0-9 and A-F. A text that already breaks
// the rules (a file may bring one) is never cut or refused as it stands: only
// what the user adds is checked.
class CellRuleValidator : public QValidator {
public:
    CellRuleValidator(int maxLength, bool codeOnly, QLineEdit* editor)
        : QValidator(editor), maxLength_(maxLength), codeOnly_(codeOnly)
    {
        connect(editor, &QLineEdit::textChanged, this, &CellRuleValidator::accept);
    }

    // The text the user's changes are measured against; the cell's text before it is shown.
    void accept(const QString& text) const { accepted_ = text; }

    State validate(QString& input, int&) const override
    {
        const bool fits = input.size() <= maxLength_ || input.size() <= accepted_.size();
        return fits && (!codeOnly_ || addsNoOtherCharacter(input)) ? Acceptable : Invalid;
    }

private:
    static QString otherCharacters(const QString& text)
    {
        QString others;
        for (const QChar c : text)
            if (!IsCodeChar(c))
                others += c;
        return others;
    }

    // The input's other characters are those of the accepted text, some perhaps deleted.
    bool addsNoOtherCharacter(const QString& input) const
    {
        const QString before = otherCharacters(accepted_);
        const QString after = otherCharacters(input);
        qsizetype at = 0;
        for (const QChar c : after) {
            at = before.indexOf(c, at);
            if (at < 0)
                return false;
            ++at;
        }
        return true;
    }

    int maxLength_;
    bool codeOnly_;
    mutable QString accepted_;
};

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(UsersGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setAlignment(Qt::AlignCenter);
        editor->setFrame(false);
        editor->setValidator(new CellRuleValidator(grid_->maxEditLength(), grid_->codeCharactersOnly(), editor));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // Every editor of this grid gets its rules in createEditor.
        static_cast<const CellRuleValidator*>(static_cast<QLineEdit*>(editor)->validator())
            ->accept(index.data(Qt::EditRole).toString());
        QStyledItemDelegate::setEditorData(editor, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font.setBold(index == grid_->currentIndex());
    }

private:
    UsersGrid* grid_;
};

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

const QString UsersGrid::ExamplesHint = QStringLiteral(
    "Примеры:\r\n"
    "1104123400000000 - пароль пользователя\r\n"
    "210A1B2C3D4E0000 - ключ ТМ или брелок\r\n"
    "4000380501234567 - мобильный телефон\r\n"
    "5100020000000000 - зона управления");

UsersGrid::UsersGrid(SettingsStore& store, QWidget* parent)
    : QTableWidget(Rows, SettingsStore::GridColumns, parent), store_(store)
{
    setObjectName("SG");
    setHorizontalHeaderLabels({"№", "Пароль/Код", "Описание"});
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, ColumnWidths[column]);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new CellDelegate(this));
    setMinimumWidth(ColumnWidths[0] + ColumnWidths[1] + ColumnWidths[2] + 2 * frameWidth()
                    + verticalScrollBar()->sizeHint().width());

    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (column == 0) {
                // The fixed column of row numbers: row n is user record n.
                item->setText(twoDigits(row + 1));
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            setItem(row, column, item);
        }
    for (int row = 1; row <= Rows; ++row) {
        showCell(row, CodeColumn);
        showCell(row, NoteColumn);
    }

    connect(this, &QTableWidget::cellPressed, this, &UsersGrid::SGClickCell);
    connect(this, &QTableWidget::itemChanged, this, &UsersGrid::storeCell);
    connect(&store_, &SettingsStore::cellChanged, this, &UsersGrid::showCell);
    // The bold active cell moves with the current cell.
    connect(this, &QTableWidget::currentCellChanged, viewport(), qOverload<>(&QWidget::update));
}

void UsersGrid::SGClickCell(int, int column)
{
    LastClickedColumn = column;
    if (column == CodeColumn) {
        maxEditLength_ = CodeEditLength;
        setToolTip(AppTexts::Display(ExamplesHint));
    } else if (column == NoteColumn) {
        maxEditLength_ = NoteEditLength;
        setToolTip(QString());
    }
}

void UsersGrid::showCell(int row, int column)
{
    if (column != CodeColumn && column != NoteColumn)
        return; // column 3 has no place on the screen
    showing_ = true;
    item(row - 1, column)->setText(store_.cell(row, column));
    showing_ = false;
}

void UsersGrid::storeCell(QTableWidgetItem* changed)
{
    const int column = changed->column();
    if (!showing_ && (column == CodeColumn || column == NoteColumn))
        store_.setCell(changed->row() + 1, column, changed->text());
}
