#pragma once

#include "model/settingsstore.h"
#include "qstringprinter.h"
#include "ui/mainwindow.h"
#include "ui/qthost.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The window's own host, with real modal boxes and dialogs, on a virtual clock:
// a wait lets pending events run and moves the clock, so a whole write takes moments.
class QuickQtHost : public QtHost {
public:
    void wait(int ms) override
    {
        clock += qMax(ms, 0);
        QCoreApplication::processEvents();
        if (onWait)
            onWait();
    }
    qint64 now() const override { return clock; }

    qint64 clock = 0;
    std::function<void()> onWait;
};

// Answers every modal box and file dialog as it comes up, as a person would
// (Enter on a message, Yes or No on a question, Esc on a dialog), and records
// each as "message:<text>", "confirm:<text>" or "dialog:<title>".
class ModalBoxes : public QObject {
public:
    ModalBoxes()
    {
        connect(&timer_, &QTimer::timeout, this, &ModalBoxes::answer);
        timer_.start(2);
    }

    QStringList seen;
    bool confirmAnswer = true;
    // Runs while each box is up, before it is answered.
    std::function<void(QWidget* box)> whileUp;

private:
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == answered_)
            return;
        answered_ = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const bool question = box->button(QMessageBox::Yes) != nullptr;
            seen << (question ? "confirm:" : "message:") + box->text();
            if (whileUp)
                whileUp(box);
            if (question)
                box->button(confirmAnswer ? QMessageBox::Yes : QMessageBox::No)->click();
            else
                QTest::keyClick(box, Qt::Key_Return);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            seen << "dialog:" + dialog->windowTitle();
            if (whileUp)
                whileUp(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    }

    QTimer timer_;
    QPointer<QWidget> answered_;
};

// The main window shown and active on the offscreen screen, as a person has it,
// with an in-process panel on the host's clock; keys go through the window system
// to whatever has the focus.
class LiveWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        QFile start(QDir(folder.path()).filePath("1_Start.qzv"));
        ASSERT_TRUE(start.open(QIODevice::WriteOnly));
        start.write("[EeAdr_TypeKeybord]\r\nItemIndex=3\r\n");
        start.close();

        MainWindowSetup setup;
        setup.folders = {folder.path(), folder.path()};
        setup.rememberedInputsFile = QDir(folder.path()).filePath("inputs.ini");
        setup.backupFolder = QDir(folder.path()).filePath("backups");
        setup.listPorts = [] { return QList<PortEntry>{{"ttyS0", "/dev/ttyS0", {}}, {"ttyUSB0", "/dev/ttyUSB0", {}}}; };
        setup.openDeviceManager = [] {};
        window = std::make_unique<MainWindow>(host, port, setup);
        host.setWindow(window.get());
        window->FormCreate();
        window->store().setText("EeAdr_PassInstalator", "90817"); // a write refuses a short one
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }

    // Requests the panel saw whose frame starts so.
    int requests(const QByteArray& start) const
    {
        int count = 0;
        for (const QByteArray& written : port.writes)
            count += written.startsWith(start) ? 1 : 0;
        return count;
    }

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QTemporaryDir folder;
    QuickQtHost host;
    ModalBoxes boxes;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel};
    std::unique_ptr<MainWindow> window;
};
