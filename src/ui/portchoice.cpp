#include "ui/portchoice.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>

namespace {

constexpr int NameRole = Qt::UserRole;

} // namespace

void FillPortList(QComboBox& list, const QList<PortEntry>& entries)
{
    list.clear();
    int widest = 0;
    for (const PortEntry& entry : entries) {
        const QString shown = PortDisplayName(entry);
        list.addItem(shown, entry.name);
        list.setItemData(list.count() - 1, entry.location.isEmpty() ? entry.name : entry.location, Qt::ToolTipRole);
        widest = qMax(widest, list.fontMetrics().horizontalAdvance(shown));
    }
    list.view()->setMinimumWidth(widest + 2 * list.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

QString PortNameOf(const QComboBox& list)
{
    return list.currentData(NameRole).toString();
}

QStringList PortNamesOf(const QComboBox& list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.itemData(i, NameRole).toString();
    return names;
}

bool ChoosePortByName(QComboBox& list, const QString& name)
{
    const int index = name.isEmpty() ? -1 : list.findData(name, NameRole);
    if (index < 0)
        return false;
    list.setCurrentIndex(index);
    return true;
}
