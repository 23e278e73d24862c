#include "cli/commandline.h"

#include "cli/command.h"

#include <cstdio>

CommandLine::CommandLine(const QString& commandName, const QString& help, const QList<QCommandLineOption>& options,
                         const QStringList& positionalNames)
    : name_(commandName), help_(help), positionalNames_(positionalNames)
{
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOptions(options);
    parser_.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

std::optional<int> CommandLine::parse(const QStringList& arguments)
{
    // QCommandLineParser takes the first entry for the program's name.
    if (!parser_.parse(QStringList{"qzv6 " + name_} + arguments))
        return usageError(parser_.errorText());
    if (parser_.isSet("help")) {
        std::fputs(help_.toUtf8().constData(), stdout);
        return ExitSuccess;
    }
    const QStringList given = parser_.positionalArguments();
    if (given.size() < positionalNames_.size())
        return usageError(QStringLiteral("missing %1.").arg(positionalNames_.mid(given.size()).join(" and ")));
    if (given.size() > positionalNames_.size())
        return usageError(QStringLiteral("unexpected argument '%1'.").arg(given.at(positionalNames_.size())));
    return std::nullopt;
}

int CommandLine::usageError(const QString& text) const
{
    const QString line = QStringLiteral("qzv6 %1: %2\nRun 'qzv6 %1 --help' for its usage.\n").arg(name_, text);
    std::fputs(line.toUtf8().constData(), stderr);
    return ExitUsage;
}
