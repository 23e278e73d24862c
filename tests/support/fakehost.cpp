#include "fakehost.h"

void FakeHost::message(const QString& text)
{
    messages << text;
    calls << "message:" + text;
}

bool FakeHost::confirm(const QString& text)
{
    questions << text;
    calls << "confirm:" + text;
    if (confirmAnswers.empty())
        return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void FakeHost::sound(Sound kind)
{
    sounds << kind;
    calls << "sound:" + QString::number(int(kind));
}

void FakeHost::tone(int hz, int ms)
{
    calls << QStringLiteral("tone:%1/%2").arg(hz).arg(ms);
}

void FakeHost::processEvents()
{
    ++processEventsCount;
    if (onProcessEvents)
        onProcessEvents();
}

void FakeHost::wait(int ms)
{
    clock += ms;
}

void FakeHost::showPage(const QString& pageName)
{
    pages << pageName;
    calls << "page:" + pageName;
}

void FakeHost::setTitle(const QString& text)
{
    title = text;
    calls << "title:" + text;
}

void FakeHost::setControlText(const QString& objectName, const QString& text)
{
    controlTexts[objectName] = text;
    calls << "text:" + objectName;
}

QString FakeHost::answerDialog(const QString& kind, const FileDialogRequest& request)
{
    dialogs << request;
    calls << kind + ":" + request.title;
    if (dialogAnswers.empty())
        return {};
    const QString answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

QString FakeHost::askSaveFile(const FileDialogRequest& request)
{
    return answerDialog(QStringLiteral("save-dialog"), request);
}

QString FakeHost::askOpenFile(const FileDialogRequest& request)
{
    return answerDialog(QStringLiteral("open-dialog"), request);
}

void FakeHost::progressUpdate(int position, int maximum)
{
    progressPosition = position;
    progressMaximum = maximum;
}

void FakeHost::progressBarColor(quint32 rgb)
{
    barColor = rgb;
}

void FakeHost::progressShow()
{
    progressVisible = true;
    ++progressShowCount;
    calls << "progress:show";
}

void FakeHost::progressClose()
{
    progressVisible = false;
    calls << "progress:close";
}
