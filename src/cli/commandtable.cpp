#include "cli/command.h"

#include <cstdio>

namespace {

QString overview()
{
    QString text = QStringLiteral(
        "qzv6 - reads and writes the configuration of the QZV-6 alarm panel over its\n"
        "service port (connector X4, USB-UART adapter), and works with configuration files.\n"
        "\n"
        "Usage: qzv6 COMMAND [OPTIONS] [ARGUMENTS]\n"
        "\n"
        "Commands:\n");
    for (const Command& command : CommandTable())
        text += QStringLiteral("  %1  %2\n").arg(command.name, -8).arg(command.summary);
    text += QStringLiteral(
        "\n"
        "Run 'qzv6 COMMAND --help' for a command's options and examples.\n"
        "Exit status: 0 success, 1 link failure or refusal, 2 usage error,\n"
        "3 the panel differs (write: read back after the write; compare).\n"
        "diff: 0 equal, 1 the files differ, 2 usage error.\n");
    return text;
}

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

const Command* findCommand(const QString& name)
{
    for (const Command& command : CommandTable())
        if (command.name == name)
            return &command;
    return nullptr;
}

} // namespace

const std::vector<Command>& CommandTable()
{
    static const std::vector<Command> table{
        PortsCommand(),
        ReadCommand(),
        WriteCommand(),
        DumpCommand(),
        DiffCommand(),
        CompareCommand(),
        MonitorCommand(),
        MemoriseCommand(),
    };
    return table;
}

int RunCommandLine(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        print(stderr, overview());
        return ExitUsage;
    }
    const QString& name = arguments.first();
    const bool askedForHelp = name == "--help" || name == "-h" || name == "help";
    if (askedForHelp && arguments.size() == 1) {
        print(stdout, overview());
        return ExitSuccess;
    }
    const QString& commandName = askedForHelp ? arguments.at(1) : name;
    const Command* command = findCommand(commandName);
    if (!command) {
        print(stderr, QStringLiteral("qzv6: unknown command '%1'. Run 'qzv6 --help' for the list.\n").arg(commandName));
        return ExitUsage;
    }
    if (askedForHelp) {
        print(stdout, command->help);
        return ExitSuccess;
    }
    return command->run(arguments.mid(1));
}
