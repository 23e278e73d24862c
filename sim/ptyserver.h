#pragma once

#include <QByteArray>
#include <QString>
#include <csignal>
#include <functional>

class VirtualPanel;

// Serves a virtual panel on a pseudo-terminal in raw mode and announces it as a
// symbolic link in the virtual panel folder, so the port list offers it.
class PtyServer {
public:
    explicit PtyServer(VirtualPanel& panel);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal; returns the path a serial port opens. Empty on failure.
    QString open();
    // The link's path, or empty when it cannot be made.
    QString announce(const QString& name);
    // Answers every complete frame at once and sends timed answers when due, until
    // `stop` is set by a signal handler. The caller blocks the stopping signals;
    // they are let through only while the server waits.
    bool serve(const volatile std::sig_atomic_t& stop, bool verbose);
    // While serving, every line read from fd (without its line end) goes to onLine;
    // the end of that input only ends the reading of it.
    void takeCommands(int fd, std::function<void(const QByteArray& line)> onLine);

private:
    void removeAnnouncement();
    void readCommands();

    VirtualPanel& panel_;
    int master_ = -1;
    int slave_ = -1; // held open so the master never sees a hang-up between clients
    QString slavePath_;
    QString linkPath_;
    int commands_ = -1;
    std::function<void(const QByteArray&)> onCommand_;
    QByteArray commandText_; // a line not ended yet
};
