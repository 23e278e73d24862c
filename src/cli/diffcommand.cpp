#include "cli/clifiles.h"
#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/settinglisting.h"
#include "model/settingsstore.h"

#include <QHash>
#include <cstdio>

namespace {

const QString Help = QStringLiteral(
    "Usage: qzv6 diff FILE_A FILE_B\n"
    "\n"
    "Compares two configuration files setting by setting, as they load, and prints\n"
    "one line for each setting that differs:\n"
    "  NAME: VALUE_IN_A / VALUE_IN_B  (caption or label of the setting)\n"
    "Choices show their index and item, texts are quoted. The user table and the\n"
    "comment are compared too.\n"
    "\n"
    "Exit status: 0 when the files are equal, 1 when they differ, 2 on a usage error.\n"
    "\n"
    "Examples:\n"
    "  qzv6 diff site.qzv site-before.qzv\n"
    "  qzv6 diff 1_Start.qzv site.qzv && echo same\n");

const QString Absent = QStringLiteral("(no line)");

QStringList differences(const std::vector<ListedValue>& a, const std::vector<ListedValue>& b)
{
    QHash<QString, const ListedValue*> inB;
    for (const ListedValue& entry : b)
        inB.insert(entry.key, &entry);
    QStringList lines;
    auto report = [&lines](const QString& key, const QString& left, const QString& right, const QString& label) {
        const QString line = QStringLiteral("%1: %2 / %3").arg(key, left, right);
        lines << (label.isEmpty() ? line : QStringLiteral("%1  (%2)").arg(line, label));
    };
    for (const ListedValue& entry : a) {
        const ListedValue* other = inB.take(entry.key);
        if (!other)
            report(entry.key, entry.shown, Absent, entry.label);
        else if (other->value != entry.value)
            report(entry.key, entry.shown, other->shown, entry.label);
    }
    // Only comment lines can be present in B alone: B's comment is longer.
    for (const ListedValue& entry : b)
        if (inB.contains(entry.key))
            report(entry.key, Absent, entry.shown, entry.label);
    return lines;
}

int run(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("diff"), Help, {}, {QStringLiteral("FILE_A"), QStringLiteral("FILE_B")});
    if (const auto status = line.parse(arguments))
        return *status;
    const QString pathA = line.positional(0);
    const QString pathB = line.positional(1);
    if (!RequireExistingFile(line, pathA) || !RequireExistingFile(line, pathB))
        return ExitUsage;
    SettingsStore a;
    SettingsStore b;
    LoadFileInto(pathA, a);
    LoadFileInto(pathB, b);
    const QStringList lines = differences(ListSettings(a), ListSettings(b));
    for (const QString& text : lines)
        std::fputs((text + '\n').toUtf8().constData(), stdout);
    return lines.isEmpty() ? ExitSuccess : ExitFailure;
}

} // namespace

Command DiffCommand()
{
    return {QStringLiteral("diff"), QStringLiteral("show the settings in which two configuration files differ"), Help,
            run};
}
