#pragma once

#include "qstringprinter.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of bin/qzv6 to its end.
struct Qzv6Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs qzv6 with these arguments; standard input is empty and no terminal
// unless a file (a terminal's device) is given for it.
Qzv6Run RunQzv6(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                const QString& input = QString());

// A path below tests/fixtures.
QString FixturePath(const QString& relative);
