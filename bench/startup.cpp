// Start-up of the configurator's window: from process start to the window shown
// with the start file loaded (offscreen), median of several runs, and peak memory.
// Each run is a fresh process, so loading the libraries and the fonts counts too.
#include "link/qtserialport.h"
#include "ui/mainwindow.h"
#include "ui/progresswindow.h"
#include "ui/qthost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QWindow>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 9;
const char* const ChildFlag = "--one-start";

// One start in this process; prints its peak memory in kB.
int StartOnce(int argc, char** argv, const QString& folder)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QtHost host;
    QtSerialPort port;
    MainWindowSetup setup;
    setup.folders = {folder, folder};
    setup.rememberedInputsFile = QDir(folder).filePath(QStringLiteral("inputs.ini"));
    setup.listPorts = [] { return QList<PortEntry>{{QStringLiteral("ttyUSB0"), {}, {}}}; };
    MainWindow window(host, port, setup);
    host.setWindow(&window);
    window.FormCreate();
    ProgressWindow progress(&window);
    host.setProgressWindow(&progress);
    window.show();
    while (!window.windowHandle()->isExposed())
        QApplication::processEvents();
    window.repaint(); // the first full paint is part of the start
    if (!window.windowTitle().endsWith(QStringLiteral("[1_Start.qzv]"))) {
        std::fprintf(stderr, "the start file was not loaded\n");
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    std::fflush(stdout);
    return 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == ChildFlag)
        return StartOnce(argc, argv, QString::fromLocal8Bit(argv[2]));

    QTemporaryDir folder;
    const QString startFile = QDir(QStringLiteral(QZV6_BIN_DIR)).filePath(QStringLiteral("1_Start.qzv"));
    if (!folder.isValid() || !QFile::copy(startFile, QDir(folder.path()).filePath(QStringLiteral("1_Start.qzv")))) {
        std::fprintf(stderr, "no start file at %s\n", qPrintable(startFile));
        return 1;
    }
    std::vector<double> times, memory;
    for (int run = 0; run < Runs; ++run) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(QString::fromLocal8Bit(argv[0]), {QString::fromLatin1(ChildFlag), folder.path()});
        if (!child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "run %d gave no answer: %s\n", run, child.readAllStandardError().constData());
            return 1;
        }
        times.push_back(clock.nsecsElapsed() / 1e6);
        memory.push_back(child.readLine().trimmed().toDouble() / 1024.0);
        child.waitForFinished();
    }
    std::printf("start-up to the window shown with 1_Start.qzv loaded, %d runs: median %.1f ms (min %.1f, max %.1f)\n",
                Runs, Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
    std::printf("peak memory (ru_maxrss): median %.1f MB (max %.1f)\n", Median(memory),
                *std::max_element(memory.begin(), memory.end()));
    return 0;
}
