#include "cli/consolehost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <optional>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onSigint(int)
{
    interrupted = 1;
    // A second Ctrl+C must still end a program that no longer reaches an exchange.
    std::signal(SIGINT, SIG_DFL);
}

constexpr int BarWidth = 40;

// "y"/"yes" and the Cyrillic "д"/"да" answer Yes; "n"/"no"/"н"/"нет" answer No.
std::optional<bool> parseAnswer(const QString& line)
{
    const QString answer = line.trimmed().toLower();
    static const QStringList yes{"y", "yes", "д", "да"};
    static const QStringList no{"n", "no", "н", "нет"};
    if (yes.contains(answer))
        return true;
    if (no.contains(answer))
        return false;
    return std::nullopt;
}

} // namespace

ConsoleHost::Streams ConsoleHost::standardStreams()
{
    Streams streams;
    streams.inIsTerminal = isatty(fileno(stdin)) == 1;
    streams.errIsTerminal = isatty(fileno(stderr)) == 1;
    return streams;
}

ConsoleHost::ConsoleHost(bool assumeYes, Streams streams) : assumeYes_(assumeYes), streams_(streams)
{
    clock_.start();
}

void ConsoleHost::writeLine(FILE* stream, const QString& text)
{
    eraseProgress();
    // Messages of the system break lines with CR LF; a terminal wants LF only.
    QString line = text;
    line.replace("\r\n", "\n");
    std::fputs(line.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
    drawProgress();
}

void ConsoleHost::message(const QString& text)
{
    writeLine(streams_.err, text);
}

bool ConsoleHost::confirm(const QString& text)
{
    if (assumeYes_) {
        writeLine(streams_.err, text + " [y/n] y (--yes)");
        return true;
    }
    if (!streams_.inIsTerminal) {
        writeLine(streams_.err, text + " [y/n]");
        writeLine(streams_.err, QStringLiteral("No terminal to answer on: refused. Add --yes to agree in advance."));
        return false;
    }
    eraseProgress();
    for (;;) {
        std::fputs((text + " [y/n] ").toUtf8().constData(), streams_.err);
        std::fflush(streams_.err);
        char buffer[256];
        if (!std::fgets(buffer, sizeof buffer, streams_.in)) {
            std::fputc('\n', streams_.err);
            drawProgress();
            return false; // end of input answers No
        }
        if (const std::optional<bool> answer = parseAnswer(QString::fromUtf8(buffer))) {
            drawProgress();
            return *answer;
        }
    }
}

void ConsoleHost::sound(Sound kind)
{
    // Only the warnings ring the terminal bell; the other sounds would be noise on a console.
    if ((kind == Sound::Error || kind == Sound::Simple) && streams_.errIsTerminal) {
        std::fputc('\a', streams_.err);
        std::fflush(streams_.err);
    }
}

void ConsoleHost::tone(int, int) {}

void ConsoleHost::setInterruptHandler(std::function<void()> handler)
{
    onInterrupt_ = std::move(handler);
    interrupted = 0;
    std::signal(SIGINT, onInterrupt_ ? onSigint : SIG_DFL);
}

void ConsoleHost::processEvents()
{
    QCoreApplication::processEvents();
    if (interrupted && onInterrupt_) {
        interrupted = 0;
        onInterrupt_();
    }
}

void ConsoleHost::wait(int ms)
{
    if (ms > 0) {
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    processEvents();
}

qint64 ConsoleHost::now() const
{
    return clock_.elapsed();
}

// A console has no pages and no window title to change.
void ConsoleHost::showPage(const QString&) {}
void ConsoleHost::setTitle(const QString&) {}

void ConsoleHost::setControlText(const QString&, const QString& text)
{
    // The one control text an operation sets from the panel is a result (the temperature caption).
    writeLine(streams_.out, text);
}

QString ConsoleHost::askSaveFile(const FileDialogRequest&)
{
    return {};
}

QString ConsoleHost::askOpenFile(const FileDialogRequest&)
{
    return {};
}

void ConsoleHost::progressUpdate(int position, int maximum)
{
    position_ = position;
    maximum_ = maximum;
    if (progressShown_)
        drawProgress();
}

void ConsoleHost::progressBarColor(quint32) {}

void ConsoleHost::progressShow()
{
    progressShown_ = true;
    drawProgress();
}

void ConsoleHost::progressClose()
{
    eraseProgress();
    progressShown_ = false;
}

void ConsoleHost::drawProgress()
{
    if (!progressShown_ || !streams_.errIsTerminal || maximum_ <= 0)
        return;
    const int shown = std::clamp(position_, 0, maximum_);
    const int filled = shown * BarWidth / maximum_;
    const QString line = QStringLiteral("\r[%1%2] %3%")
                             .arg(QString(filled, '#'), QString(BarWidth - filled, '.'))
                             .arg(shown * 100 / maximum_, 3);
    // Every exchange reports a step; a terminal needs only the changes.
    if (progressDrawn_ && line == drawnLine_)
        return;
    std::fputs(line.toLatin1().constData(), streams_.err);
    std::fflush(streams_.err);
    drawnLine_ = line;
    progressDrawn_ = true;
}

void ConsoleHost::eraseProgress()
{
    if (!progressDrawn_)
        return;
    std::fputs("\r\033[K", streams_.err);
    std::fflush(streams_.err);
    progressDrawn_ = false;
}
