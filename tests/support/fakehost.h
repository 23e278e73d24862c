#pragma once

#include "link/host.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

// A Host for tests: records every call, answers questions from a script and
// keeps a virtual clock, so waits cost nothing.
class FakeHost : public Host {
public:
    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    void sound(Sound kind) override;
    void tone(int hz, int ms) override;
    void processEvents() override;
    void wait(int ms) override;
    qint64 now() const override { return clock; }
    void showPage(const QString& pageName) override;
    void setTitle(const QString& title) override;
    void setControlText(const QString& objectName, const QString& text) override;
    QString askSaveFile(const FileDialogRequest& request) override;
    QString askOpenFile(const FileDialogRequest& request) override;
    void progressUpdate(int position, int maximum) override;
    void progressBarColor(quint32 rgb) override;
    void progressShow() override;
    void progressClose() override;

    // The script.
    std::deque<bool> confirmAnswers;      // empty: answer Yes
    std::deque<QString> dialogAnswers;    // empty: cancel
    std::function<void()> onProcessEvents;

    // The record.
    qint64 clock = 0;
    QStringList calls;                    // every call, as "name:argument"
    QStringList messages;
    QStringList questions;
    QList<Sound> sounds;
    QList<FileDialogRequest> dialogs;
    QStringList pages;
    QString title;
    QHash<QString, QString> controlTexts;
    int processEventsCount = 0;
    int progressPosition = 0;
    int progressMaximum = 0;
    bool progressVisible = false;
    int progressShowCount = 0;
    quint32 barColor = 0;

private:
    QString answerDialog(const QString& kind, const FileDialogRequest& request);
};
