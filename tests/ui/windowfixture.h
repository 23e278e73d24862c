#pragma once

#include "fakehost.h"
#include "ui/mainwindow.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A main window on a FakeHost and an in-process panel, with its start-file
// folder and remembered inputs in a temporary folder of its own.
class WindowTest : public testing::Test {
protected:
    static constexpr const char* StartKeypad = "[EeAdr_TypeKeybord]\r\nItemIndex=3\r\n";

    QString binPath(const QString& name) const { return QDir(folder.path()).filePath(name); }

    void writeStartFile(const QString& name, const QByteArray& bytes = StartKeypad) const
    {
        QFile file(binPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    MainWindowSetup setup()
    {
        MainWindowSetup setup;
        setup.folders = {folder.path(), folder.path()};
        setup.rememberedInputsFile = binPath(QStringLiteral("inputs.ini"));
        setup.backupFolder = binPath(QStringLiteral("backups"));
        setup.listPorts = [this] {
            if (portListFails)
                throw EComPort(QStringLiteral("Ошибка обращения к системному реестру (возможно отсутствуют COM порты)"));
            QList<PortEntry> entries;
            for (const QString& name : portNames)
                entries << PortEntry{name, "/dev/" + name, portDescriptions.value(name)};
            return entries;
        };
        setup.openDeviceManager = [this] { ++deviceManagerOpened; };
        return setup;
    }

    MainWindow& start()
    {
        window = std::make_unique<MainWindow>(host, port, setup());
        window->FormCreate();
        return *window;
    }

    // Shown and active, so that keys reach it as they would on a desktop.
    MainWindow& startShown()
    {
        start();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Where a key press arrives: the focused control, else the window.
    QWidget* keyTarget() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    }

    // Character by character, as typed; QTest spells only ASCII, so other letters come as their text.
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(widget, char(c.unicode()));
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), Qt::Key(key), modifiers);
    }

    QTemporaryDir folder;
    FakeHost host;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel};
    QStringList portNames{QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
    QHash<QString, QString> portDescriptions; // by name; none: no description
    bool portListFails = false;
    int deviceManagerOpened = 0;
    std::unique_ptr<MainWindow> window;
};
