#include "transfer/unchosennotice.h"

#include "model/catalogue.h"

#include <vector>

namespace {

// "1-4, 7, 9-16" for the zones of one family.
QString zoneRanges(const QList<int>& zones)
{
    QStringList parts;
    for (qsizetype i = 0; i < zones.size();) {
        qsizetype end = i;
        while (end + 1 < zones.size() && zones.at(end + 1) == zones.at(end) + 1)
            ++end;
        parts << (end == i ? QString::number(zones.at(i))
                           : QStringLiteral("%1-%2").arg(zones.at(i)).arg(zones.at(end)));
        i = end + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// One line per single Setting and one per zone column, in block order.
QString unchosenLines(const QStringList& names)
{
    struct Entry {
        const SettingDef* def; // the first member for a zone column
        QList<int> zones;      // empty for a single Setting
    };
    std::vector<Entry> entries;
    for (const QString& name : names) {
        const SettingDef* def = FindSetting(name);
        if (!def)
            continue;
        const bool sameColumn = !def->family.isEmpty() && !entries.empty()
                                && entries.back().def->family == def->family;
        if (sameColumn)
            entries.back().zones << def->zone;
        else
            entries.push_back({def, def->family.isEmpty() ? QList<int>() : QList<int>{def->zone}});
    }
    QStringList lines;
    for (const Entry& entry : entries) {
        lines << (entry.zones.isEmpty()
                      ? QStringLiteral("- %1 (%2)").arg(entry.def->caption, entry.def->name)
                      : QStringLiteral("- %1 (%2_NN), %3 %4")
                            .arg(entry.def->caption, entry.def->family,
                                 entry.zones.size() == 1 ? QStringLiteral("зона") : QStringLiteral("зоны"),
                                 zoneRanges(entry.zones)));
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString UnchosenChoicesNotice(const QStringList& names)
{
    return QStringLiteral("В этих списках ничего не выбрано, в ППК они будут записаны как 0:\r\n") + unchosenLines(names);
}
