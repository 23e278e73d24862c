#include "transferfixture.h"

#include "model/catalogue.h"
#include "model/encodings.h"
#include "model/memorymap.h"

#include <random>

namespace {

QString randomHex(std::mt19937& random, int digits)
{
    QString text;
    for (int i = 0; i < digits; ++i)
        text += QString::number(int(random() % 16), 16).toUpper();
    return text;
}

} // namespace

TransferTest::TransferTest()
{
    link.inputs.portName = QStringLiteral("COM3");
}

void TransferTest::fillWithVariety(SettingsStore& target, unsigned seed) const
{
    std::mt19937 random(seed);
    for (const SettingDef& def : SettingsCatalogue()) {
        if (!def.inPanel)
            continue;
        switch (def.kind) {
        case SettingKind::Flag: target.setFlag(def.name, random() % 2); break;
        case SettingKind::Choice: target.setChoice(def.name, int(random() % def.items.size())); break;
        case SettingKind::NumberText: {
            const int magnitude = int(random() % TemperatureWord::Limit);
            const int sign = magnitude != 0 && random() % 2 ? 0x0800 : 0;
            target.setText(def.name, TemperatureWord::decode(quint16(sign | magnitude), locale));
            break;
        }
        case SettingKind::CodeText: {
            // The installer password is also the login's, which takes at most 16 characters.
            const bool password = def.name == u"EeAdr_PassInstalator";
            const int length = password ? 3 + int(random() % 14) : 4;
            target.setText(def.name, randomHex(random, length));
            break;
        }
        case SettingKind::Grid:
            for (int row = 1; row <= SettingsStore::UserRows; ++row) {
                // Every fifth slot free; a used record never starts with the byte 0x00.
                const QString record = row % 5 == 0 ? QString() : "1" + randomHex(random, 15);
                target.setCell(row, 1, record);
            }
            break;
        default: break;
        }
    }
}

QByteArray TransferTest::imageOf(const SettingsStore& target) const
{
    QByteArray memory = panel.memory;
    for (const MemoryBlock& block : DeviceMemoryMap()) {
        const std::optional<QString> payload = EncodeBlockPayload(block, target, locale);
        EXPECT_TRUE(payload) << "block " << block.number;
        if (!payload)
            continue;
        const int address = payload->mid(4, 4).toInt(nullptr, 16);
        const QByteArray data = QByteArray::fromHex(payload->mid(8).toLatin1());
        memory.replace(address, data.size(), data);
    }
    return memory;
}

QStringList TransferTest::panelDifferences(const SettingsStore& a, const SettingsStore& b)
{
    QStringList names;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (!def.inPanel)
            continue;
        bool same = true;
        switch (def.kind) {
        case SettingKind::Flag: same = a.flag(def.name) == b.flag(def.name); break;
        case SettingKind::Choice: same = a.choice(def.name) == b.choice(def.name); break;
        case SettingKind::Grid:
            for (int row = 1; row <= SettingsStore::UserRows; ++row)
                if (a.cell(row, 1) != b.cell(row, 1))
                    names << QStringLiteral("SG row %1").arg(row);
            break;
        default: same = a.text(def.name) == b.text(def.name); break;
        }
        if (!same)
            names << def.name;
    }
    return names;
}

QStringList TransferTest::mappedDifferences(const QByteArray& a, const QByteArray& b)
{
    QStringList addresses;
    for (const MemoryBlock& block : DeviceMemoryMap())
        for (int address = block.address; address < block.address + block.length; ++address)
            if (a.at(address) != b.at(address))
                addresses << QStringLiteral("0x%1").arg(address, 4, 16, QLatin1Char('0'));
    return addresses;
}

QStringList TransferTest::everyValue(const SettingsStore& store)
{
    QStringList lines;
    for (const SettingDef& def : SettingsCatalogue()) {
        switch (def.kind) {
        case SettingKind::Flag: lines << def.name + "=" + QString::number(store.flag(def.name)); break;
        case SettingKind::Choice: lines << def.name + "=" + QString::number(store.choice(def.name)); break;
        case SettingKind::Grid:
            for (int row = 1; row <= SettingsStore::UserRows; ++row)
                for (int column = 1; column <= SettingsStore::GridColumns; ++column)
                    lines << QStringLiteral("SG %1,%2=%3").arg(row).arg(column).arg(store.cell(row, column));
            break;
        case SettingKind::Memo: lines << def.name + "=" + store.memo().join('|'); break;
        default: lines << def.name + "=" + store.text(def.name); break;
        }
    }
    return lines;
}
