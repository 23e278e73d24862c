#pragma once

#include "link/host.h"

#include <QElapsedTimer>
#include <cstdio>
#include <functional>

// The Host of the command-line tool: messages go to standard error in the
// system's own texts, questions are answered by --yes or by the person at the
// terminal, and the progress bar is drawn only on a terminal. No dialogs.
class ConsoleHost : public Host {
public:
    struct Streams {
        FILE* in = stdin;
        FILE* out = stdout; // results that a script may capture (the temperature caption)
        FILE* err = stderr;
        bool inIsTerminal = false;
        bool errIsTerminal = false;
    };

    // Streams of the process, with terminal detection.
    static Streams standardStreams();

    explicit ConsoleHost(bool assumeYes, Streams streams = standardStreams());

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    void sound(Sound kind) override;
    void tone(int hz, int ms) override;
    void processEvents() override;
    void wait(int ms) override;
    qint64 now() const override;
    void showPage(const QString& pageName) override;
    void setTitle(const QString& title) override;
    void setControlText(const QString& objectName, const QString& text) override;
    QString askSaveFile(const FileDialogRequest& request) override;
    QString askOpenFile(const FileDialogRequest& request) override;
    void progressUpdate(int position, int maximum) override;
    void progressBarColor(quint32 rgb) override;
    void progressShow() override;
    void progressClose() override;

    // Called from processEvents once Ctrl+C has been pressed (the console's Esc);
    // a second Ctrl+C ends the program at once.
    void setInterruptHandler(std::function<void()> handler);

private:
    void writeLine(FILE* stream, const QString& text);
    void drawProgress();
    void eraseProgress();

    bool assumeYes_;
    Streams streams_;
    QElapsedTimer clock_;
    std::function<void()> onInterrupt_;
    int position_ = 0;
    int maximum_ = 0;
    bool progressShown_ = false;
    bool progressDrawn_ = false;
    QString drawnLine_;
};
