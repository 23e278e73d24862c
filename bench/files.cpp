// Save and load of a full configuration file: median of repeated runs.
#include "files/configfile.h"
#include "model/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 50;

void Fill(SettingsStore& store)
{
    for (int row = 1; row <= SettingsStore::UserRows; ++row) {
        store.setCell(row, 1, QStringLiteral("%1").arg(row * 7919, 16, 16, QLatin1Char('0')).toUpper());
        store.setCell(row, 2, QStringLiteral("Пользователь %1, квартира %2").arg(row).arg(row * 3));
    }
    QStringList comment;
    for (int line = 0; line < 100; ++line)
        comment << QStringLiteral("Строка комментария %1: объект, зоны, телефоны ответственных лиц").arg(line);
    store.setMemo(comment);
}

double MedianMs(const std::function<void()>& run)
{
    std::vector<qint64> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2] / 1e6;
}

void Save(const QString& path, SettingsStore& store)
{
    ConfigFile file(path, ConfigFile::Mode::Save);
    WriteConfigFile(file, store);
    file.close();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    SettingsStore store;
    Fill(store);
    const QString path = dir.filePath("full.qzv");

    const double fresh = MedianMs([&] {
        QFile::remove(path);
        Save(path, store);
    });
    const double over = MedianMs([&] { Save(path, store); });
    // The same save short of the disk: the file's update in memory and its encoding.
    const double memory = MedianMs([&] {
        ConfigFile file(path, ConfigFile::Mode::Load);
        WriteConfigFile(file, store);
        file.profile().toBytes();
    });
    SettingsStore loaded;
    const double load = MedianMs([&] {
        ConfigFile file(path, ConfigFile::Mode::Load);
        LoadConfigFile(file, loaded);
    });
    std::printf("file size: %lld bytes\n", static_cast<long long>(QFileInfo(path).size()));
    std::printf("save, new file:       median %.3f ms over %d runs\n", fresh, Runs);
    std::printf("save, over existing:  median %.3f ms over %d runs\n", over, Runs);
    std::printf("save, short of disk:  median %.3f ms over %d runs\n", memory, Runs);
    std::printf("load:                 median %.3f ms over %d runs\n", load, Runs);
    std::printf("loaded matches saved: %s\n", loaded.memo() == store.memo() && loaded.cell(30, 2) == store.cell(30, 2) ? "yes" : "no");
    return 0;
}
