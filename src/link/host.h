#pragma once

#include <QtGlobal>
#include <QString>
#include <QStringList>

// The system sounds an operation asks for.
enum class Sound {
    Information, // MessageBeep(MB_ICONASTERISK)
    Error,       // MessageBeep(MB_ICONHAND)
    Default,     // MessageBeep(0)
    Simple,      // MessageBeep(1)
};

// What a file dialog is asked to look like; the shell draws it.
struct FileDialogRequest {
    QString title;
    QString folder;
    QStringList filters;   // each "Settings.qzv (*.qzv)"; the first one is selected
    QString defaultSuffix; // added to a name typed without one; empty for none
    bool confirmOverwrite = false;
};

// Everything an operation needs from the shell around it: the window, the
// command line and the tests each provide one.
class Host {
public:
    virtual ~Host() = default;

    // A modal message titled "QZV-6 Configurator" with one OK button.
    virtual void message(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    virtual void sound(Sound kind) = 0;
    virtual void tone(int hz, int ms) = 0;

    // Lets the window handle its pending events (repaint, Esc, clicks).
    virtual void processEvents() = 0;
    // Waits, letting events run meanwhile.
    virtual void wait(int ms) = 0;
    // Milliseconds on the host's clock.
    virtual qint64 now() const = 0;

    // Window state that operations change.
    virtual void showPage(const QString& pageName) = 0;
    virtual void setTitle(const QString& title) = 0;
    // Text of a control that is not a Setting, by its object name
    // (the caption of sGroupBox_DS18B20, the line Lable_iButton).
    virtual void setControlText(const QString& objectName, const QString& text) = 0;

    // File dialogs; an empty result means the user cancelled.
    virtual QString askSaveFile(const FileDialogRequest& request) = 0;
    virtual QString askOpenFile(const FileDialogRequest& request) = 0;

    // The progress display of a read or write.
    virtual void progressUpdate(int position, int maximum) = 0;
    virtual void progressBarColor(quint32 rgb) = 0; // 0xRRGGBB
    virtual void progressShow() = 0;
    virtual void progressClose() = 0;
};
