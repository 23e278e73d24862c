#include "cli/clifiles.h"
#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/settinglisting.h"
#include "model/settingsstore.h"

#include <cstdio>

namespace {

const QString Help = QStringLiteral(
    "Usage: qzv6 dump FILE\n"
    "\n"
    "Prints every setting of the configuration file FILE (*.qzv or *.ini) as\n"
    "name=value, one a line, in the file's fixed order: a choice as its item index\n"
    "(-1 for nothing chosen), a flag as 0 or 1, a text as it stands. The user table\n"
    "follows as SG.Text COLUMN,ROW=... (column 1 the codes, 2 the descriptions),\n"
    "then the comment as About.About0=... and so on. A setting the file lacks shows\n"
    "the value that loading gives it. The output is UTF-8.\n"
    "\n"
    "Examples:\n"
    "  qzv6 dump site.qzv\n"
    "  qzv6 dump site.qzv | grep EeAdr_TypeZone_\n");

int run(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("dump"), Help, {}, {QStringLiteral("FILE")});
    if (const auto status = line.parse(arguments))
        return *status;
    const QString path = line.positional(0);
    if (!RequireExistingFile(line, path))
        return ExitUsage;
    SettingsStore store;
    LoadFileInto(path, store);
    QString text;
    for (const ListedValue& entry : ListSettings(store))
        text += entry.key + '=' + entry.value + '\n';
    std::fputs(text.toUtf8().constData(), stdout);
    return ExitSuccess;
}

} // namespace

Command DumpCommand()
{
    return {QStringLiteral("dump"), QStringLiteral("print every setting of a configuration file as name=value"), Help,
            run};
}
