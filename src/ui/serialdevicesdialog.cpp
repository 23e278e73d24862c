#include "ui/serialdevicesdialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList Headings = {QStringLiteral("Порт"), QStringLiteral("Описание"), QStringLiteral("Производитель"),
                              QStringLiteral("VID:PID"), QStringLiteral("Серийный номер")};

QString VendorProduct(const QSerialPortInfo& port)
{
    if (!port.hasVendorIdentifier() || !port.hasProductIdentifier())
        return {};
    return QStringLiteral("%1:%2")
        .arg(port.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(port.productIdentifier(), 4, 16, QLatin1Char('0'));
}

} // namespace

SerialDevicesDialog::SerialDevicesDialog(QWidget* parent) : QDialog(parent), table_(new QTableWidget(this))
{
    setObjectName(QStringLiteral("SerialDevicesDialog"));
    setWindowTitle(QStringLiteral("Последовательные порты"));
    table_->setColumnCount(int(Headings.size()));
    table_->setHorizontalHeaderLabels(Headings);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* again = buttons->addButton(QStringLiteral("Обновить"), QDialogButtonBox::ActionRole);
    connect(again, &QPushButton::clicked, this, &SerialDevicesDialog::refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(720, 260);
    refresh();
}

void SerialDevicesDialog::refresh()
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    table_->setRowCount(int(ports.size()));
    for (int row = 0; row < ports.size(); ++row) {
        const QSerialPortInfo& port = ports[row];
        const QString cells[] = {port.portName(), port.description(), port.manufacturer(), VendorProduct(port),
                                 port.serialNumber()};
        for (int column = 0; column < int(std::size(cells)); ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table_->resizeColumnsToContents();
}
