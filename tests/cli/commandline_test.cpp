#include "qzv6process.h"

#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const QStringList Commands = {"ports", "read", "write", "compare", "dump", "diff"};

TEST(Qzv6CommandLine, HelpForEveryCommand)
{
    const Qzv6Run overview = RunQzv6({"--help"});
    EXPECT_EQ(overview.status, 0);
    for (const QString& command : Commands) {
        SCOPED_TRACE(command.toStdString());
        EXPECT_TRUE(overview.out.contains("  " + command + " ")) << overview.out.toStdString();
        for (const QStringList& asked : {QStringList{command, "--help"}, QStringList{"help", command}}) {
            const Qzv6Run help = RunQzv6(asked);
            EXPECT_EQ(help.status, 0);
            EXPECT_TRUE(help.out.startsWith("Usage: qzv6 " + command)) << help.out.toStdString();
            EXPECT_TRUE(help.out.contains("Examples:"));
        }
    }
}

TEST(Qzv6CommandLine, UsageErrorsExitWith2)
{
    const QString site = FixturePath("cli/site.qzv");
    const struct {
        QStringList arguments;
        QString says;
    } cases[] = {
        {{}, "Usage: qzv6 COMMAND"},
        {{"bogus"}, "unknown command 'bogus'"},
        {{"help", "bogus"}, "unknown command 'bogus'"},
        {{"read", "--out", "x.qzv"}, "--port"},
        {{"read", "--port", "ttyUSB0"}, "--out"},
        {{"read", "--port", "ttyUSB0", "--baud", "115201", "--out", "x.qzv"}, "--baud must be one of"},
        {{"read", "--port", "ttyUSB0", "--baud", "fast", "--out", "x.qzv"}, "--baud must be one of"},
        {{"read", "--port", "ttyUSB0", "--from", "/no/such.qzv", "--out", "x.qzv"}, "no such file"},
        {{"read", "--port", "ttyUSB0", "--colour", "--out", "x.qzv"}, "colour"},
        {{"write", "--port", "ttyUSB0"}, "missing FILE"},
        {{"write", "--port", "ttyUSB0", "/no/such.qzv"}, "no such file"},
        {{"write", "--port", "ttyUSB0", "--password", "90817a", site}, "--password"},
        {{"write", "--port", "ttyUSB0", "--password", "12345678901234567", site}, "--password"},
        {{"write", site}, "--port"},
        {{"write", "--port", "ttyUSB0", "--backup", "b.qzv", "--no-backup", site}, "exclude each other"},
        {{"compare", "--port", "ttyUSB0"}, "missing FILE"},
        {{"compare", site}, "--port"},
        {{"dump"}, "missing FILE"},
        {{"dump", site, site}, "unexpected argument"},
        {{"diff", site}, "missing FILE_B"},
        {{"ports", "extra"}, "unexpected argument"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Qzv6Run run = RunQzv6(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
    }
}

TEST(Qzv6CommandLine, WriteWithoutTerminalOrYesIsRefusedBeforeThePort)
{
    const Qzv6Run run = RunQzv6({"write", "--port", "/no/such/tty", FixturePath("cli/site.qzv")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Вы уверены что хотите записать?")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("--yes"));
    EXPECT_FALSE(run.err.contains("COM-порт")); // the port was never opened
}

// A pseudo-terminal whose keyboard the test types on.
class Terminal {
public:
    Terminal() : master_(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            device_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~Terminal()
    {
        if (master_ >= 0)
            close(master_);
    }
    QString device() const { return device_; }
    void type(const QByteArray& keys) { ASSERT_EQ(::write(master_, keys.constData(), keys.size()), keys.size()); }

private:
    int master_;
    QString device_;
};

TEST(Qzv6CommandLine, TheQuestionIsAnsweredOnTheTerminal)
{
    const struct {
        QByteArray keys;
        bool yes;
    } cases[] = {{"n\n", false}, {"нет\n", false}, {"y\n", true}, {"maybe\nда\n", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        Terminal terminal;
        ASSERT_FALSE(terminal.device().isEmpty());
        terminal.type(c.keys);
        // A name of its own: the serial library locks by the device's base name, and tests run side by side.
        const Qzv6Run run = RunQzv6({"write", "--port", "/no/such/ttyQZV6-asked", FixturePath("cli/site.qzv")},
                                    QProcessEnvironment::systemEnvironment(), terminal.device());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.count("Вы уверены что хотите записать? [y/n]"), c.keys.count('\n'));
        // Only a Yes goes on to open the port.
        EXPECT_EQ(run.err.contains("Попытка открыть несуществующий COM-порт"), c.yes) << run.err.toStdString();
    }
}

TEST(Qzv6CommandLine, MissingPortIsALinkFailureWithThePortsText)
{
    const Qzv6Run run = RunQzv6({"write", "--port", "/no/such/ttyQZV6-missing", "--yes", FixturePath("cli/site.qzv")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Попытка открыть несуществующий COM-порт")) << run.err.toStdString();
}

} // namespace
