#pragma once

#include <QTableWidget>

class SettingsStore;

// The user table SG: 30 records of the panel (column 1, "Пароль/Код") with the
// installer's notes (column 2, "Описание"), a view of the store's SG cells.
class UsersGrid : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int CodeColumn = 1;
    static constexpr int NoteColumn = 2;
    static const QString ExamplesHint;

    explicit UsersGrid(SettingsStore& store, QWidget* parent = nullptr);

    // The column of the cell last clicked with the mouse; 0 until the first click.
    // Its rules hold for every cell edited until the next click.
    int LastClickedColumn = 0;

    int maxEditLength() const { return maxEditLength_; }
    bool codeCharactersOnly() const { return LastClickedColumn == CodeColumn; }

private:
    void SGClickCell(int row, int column);
    void showCell(int row, int column);
    void storeCell(QTableWidgetItem* item);

    SettingsStore& store_;
    int maxEditLength_ = 40;
    bool showing_ = false;
};
