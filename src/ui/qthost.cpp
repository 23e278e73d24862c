#include "ui/qthost.h"

#include "ui/apptexts.h"
#include "ui/desktop.h"
#include "ui/progresswindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

QtHost::QtHost()
{
    clock_.start();
}

void QtHost::setWindow(QWidget* window)
{
    window_ = window;
}

void QtHost::setProgressWindow(ProgressWindow* progress)
{
    progress_ = progress;
}

void QtHost::message(const QString& text)
{
    QMessageBox box(QMessageBox::Information, AppTexts::Title, AppTexts::Display(text), QMessageBox::Ok, window_);
    box.exec();
}

bool QtHost::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, AppTexts::Title, AppTexts::Display(text),
                    QMessageBox::Yes | QMessageBox::No, window_);
    // A stray Enter must not start something that cannot be undone, such as a write to the panel.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtHost::sound(Sound kind)
{
    Desktop::Alert(kind);
}

void QtHost::tone(int hz, int ms)
{
    Desktop::Tone(hz, ms);
}

void QtHost::processEvents()
{
    QCoreApplication::processEvents();
}

void QtHost::wait(int ms)
{
    if (ms <= 0) {
        processEvents();
        return;
    }
    // A local loop rather than a sleep: the window repaints and Esc reaches it meanwhile.
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
}

qint64 QtHost::now() const
{
    return clock_.elapsed();
}

void QtHost::showPage(const QString& pageName)
{
    if (!window_)
        return;
    auto* pages = window_->findChild<QTabWidget*>(QStringLiteral("PageControl_"));
    auto* page = window_->findChild<QWidget*>(pageName);
    if (pages && page && pages->indexOf(page) >= 0)
        pages->setCurrentWidget(page);
}

void QtHost::setTitle(const QString& title)
{
    if (window_)
        window_->setWindowTitle(title);
}

void QtHost::setControlText(const QString& objectName, const QString& text)
{
    if (!window_)
        return;
    QWidget* control = window_->findChild<QWidget*>(objectName);
    const QString shown = AppTexts::Display(text);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(shown);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(shown);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(shown);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(shown);
}

QString QtHost::askFile(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(window_, request.title, request.folder);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening a name with no file behind it would load nothing but defaults and still report success.
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    // The entries read "Settings.qzv" and "Settings.ini"; the pattern stays behind them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtHost::askSaveFile(const FileDialogRequest& request)
{
    return askFile(request, true);
}

QString QtHost::askOpenFile(const FileDialogRequest& request)
{
    return askFile(request, false);
}

void QtHost::progressUpdate(int position, int maximum)
{
    if (progress_)
        progress_->setProgress(position, maximum);
}

void QtHost::progressBarColor(quint32 rgb)
{
    if (progress_)
        progress_->setBarColor(rgb);
}

void QtHost::progressShow()
{
    if (!progress_)
        return;
    // Over the middle of the window, without taking the focus, so Esc still reaches the window.
    if (window_) {
        const QRect area = window_->frameGeometry();
        progress_->move(area.center() - progress_->rect().center());
    }
    progress_->show();
}

void QtHost::progressClose()
{
    if (progress_)
        progress_->hide();
}
