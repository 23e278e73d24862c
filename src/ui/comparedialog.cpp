#include "ui/comparedialog.h"

#include "link/host.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget* DifferenceTable(const std::vector<PanelDifference>& differences)
{
    auto* table = new QTableWidget(int(differences.size()), 3);
    table->setObjectName(QStringLiteral("PanelCompareTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Настройка"), QStringLiteral("В окне"), QStringLiteral("В ППК")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int row = 0; row < int(differences.size()); ++row) {
        const PanelDifference& d = differences[std::size_t(row)];
        const QString cells[] = {d.label, d.ours, d.panel};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(column == 0 ? d.name : cells[column]);
            table->setItem(row, column, item);
        }
    }
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->resizeColumnToContents(1);
    table->resizeColumnToContents(2);
    return table;
}

} // namespace

void ShowPanelComparison(QWidget* window, Host& host, const std::vector<PanelDifference>& differences)
{
    if (differences.empty()) {
        host.message(QStringLiteral("Настройки в окне и в ППК совпадают."));
        return;
    }
    auto* dialog = new QDialog(window);
    dialog->setObjectName(QStringLiteral("PanelCompareDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("QZV-6 Configurator"));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(QStringLiteral("Настройки окна, которые отличаются от ППК: %1").arg(differences.size())));
    layout->addWidget(DifferenceTable(differences));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(760, 420);
    dialog->open();
}
