#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The arguments of one command, parsed against its options and its fixed list
// of positional arguments. Prints the command's help and its usage errors itself.
class CommandLine {
public:
    CommandLine(const QString& commandName, const QString& help, const QList<QCommandLineOption>& options,
                const QStringList& positionalNames);

    // Empty when the command is to run; otherwise the exit status to end with
    // (0 after --help, 2 after a usage error, which is printed).
    std::optional<int> parse(const QStringList& arguments);

    bool isSet(const QString& option) const { return parser_.isSet(option); }
    QString value(const QString& option) const { return parser_.value(option); }
    QString positional(int index) const { return parser_.positionalArguments().value(index); }

    // Prints "qzv6 NAME: text" and where to find help; returns the usage status.
    int usageError(const QString& text) const;

private:
    QString name_;
    QString help_;
    QStringList positionalNames_;
    QCommandLineParser parser_;
};
