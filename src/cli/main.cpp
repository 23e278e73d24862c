#include "cli/command.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunCommandLine(app.arguments().mid(1));
}
