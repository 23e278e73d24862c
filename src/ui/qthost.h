#pragma once

#include "link/host.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class ProgressWindow;
class QTabWidget;

// The Host of the window: message boxes, dialogs, sounds and waits that keep
// the window alive. The window and the progress window are attached once they exist.
class QtHost : public Host {
public:
    QtHost();

    void setWindow(QWidget* window);
    void setProgressWindow(ProgressWindow* progress);

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

private:
    QString askFile(const FileDialogRequest& request, bool save);

    QPointer<QWidget> window_;
    QPointer<ProgressWindow> progress_;
    QElapsedTimer clock_;
};
