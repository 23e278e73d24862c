#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// qzv6-panel-sim started for one test, under a name of its own; stopped with SIGTERM.
class PanelSimProcess {
public:
    explicit PanelSimProcess(const QStringList& arguments = {});
    ~PanelSimProcess();

    QString ptyPath() const { return ptyPath_; } // empty when the panel did not start
    QString name() const { return name_; }
    // Stops the panel; true when it ended cleanly.
    bool stop();

private:
    QProcess process_;
    QString name_;
    QString ptyPath_;
};
