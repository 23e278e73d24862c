#include "ptyserver.h"

#include "link/portlist.h"
#include "virtualpanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qsizetype MaxCommandLine = 1024;

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += n;
    }
    return true;
}

timespec untilDue(qint64 ms)
{
    ms = qMax<qint64>(0, ms);
    return timespec{time_t(ms / 1000), long(ms % 1000) * 1000000L};
}

} // namespace

PtyServer::PtyServer(VirtualPanel& panel) : panel_(panel) {}

PtyServer::~PtyServer()
{
    removeAnnouncement();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

QString PtyServer::open()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return {};
    const char* name = ::ptsname(master_);
    if (!name)
        return {};
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    termios raw{};
    if (slave_ < 0 || ::tcgetattr(slave_, &raw) != 0)
        return {};
    ::cfmakeraw(&raw);
    if (::tcsetattr(slave_, TCSANOW, &raw) != 0)
        return {};
    return slavePath_;
}

QString PtyServer::announce(const QString& name)
{
    const QString folder = VirtualPanelFolder();
    if (name.isEmpty() || name.contains(u'/') || !QDir().mkpath(folder))
        return {};
    const QString path = folder + u'/' + name;
    // A link left by a panel of the same name is replaced; a file is not ours to remove.
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    if (!QFile::link(slavePath_, path))
        return {};
    linkPath_ = path;
    return linkPath_;
}

void PtyServer::removeAnnouncement()
{
    // Another panel may have taken the name since; its link stays.
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).symLinkTarget() == slavePath_)
        QFile::remove(linkPath_);
    linkPath_.clear();
}

bool PtyServer::serve(const volatile std::sig_atomic_t& stop, bool verbose)
{
    sigset_t open;
    sigemptyset(&open);
    char buffer[4096];
    while (!stop) {
        timespec timeout{};
        const std::optional<qint64> due = panel_.nextDue();
        if (due)
            timeout = untilDue(*due - panel_.now());
        pollfd fds[] = {{master_, POLLIN, 0}, {commands_, POLLIN, 0}};
        const pollfd& line = fds[0];
        const int ready = ::ppoll(fds, commands_ >= 0 ? 2 : 1, due ? &timeout : nullptr, &open);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return false;
        if (commands_ >= 0 && fds[1].revents != 0)
            readCommands();
        QByteArray received;
        if (line.revents & POLLIN) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n < 0 && errno != EINTR && errno != EAGAIN)
                return false;
            if (n > 0)
                received = QByteArray(buffer, n);
        }
        if (!writeAll(master_, panel_.handle(received)))
            return false;
        if (verbose) {
            for (const QString& payload : std::as_const(panel_.log))
                std::fprintf(stderr, "<- %s\n", qPrintable(payload));
        }
        panel_.log.clear(); // a panel that serves for hours keeps no history
    }
    return true;
}

void PtyServer::takeCommands(int fd, std::function<void(const QByteArray& line)> onLine)
{
    commands_ = fd;
    onCommand_ = std::move(onLine);
}

void PtyServer::readCommands()
{
    char buffer[1024];
    const ssize_t n = ::read(commands_, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        commands_ = -1; // the input has ended; the panel serves on
        return;
    }
    commandText_ += QByteArray(buffer, n);
    for (qsizetype end; (end = commandText_.indexOf('\n')) >= 0;) {
        onCommand_(commandText_.left(end).trimmed());
        commandText_.remove(0, end + 1);
    }
    if (commandText_.size() > MaxCommandLine)
        commandText_.clear(); // no command is that long; the text is noise
}
