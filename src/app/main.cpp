#include "link/portlist.h"
#include "link/qtserialport.h"
#include "ui/apptexts.h"
#include "ui/mainwindow.h"
#include "ui/progresswindow.h"
#include "ui/qthost.h"
#include "ui/qttranslations.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The task bar shows this name; a display name would be appended to every window title.
    QApplication::setApplicationName(AppTexts::Title);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The standard buttons and file dialogs in the system's language, beside the window's Russian.
    InstallQtTranslations(QLocale::system());

    QtHost host;
    QtSerialPort port;
    MainWindowSetup setup;
    setup.listPorts = SerialPorts;
    MainWindow window(host, port, setup);
    host.setWindow(&window);
    window.FormCreate();

    // Created hidden right after the main window, and kept to the end.
    ProgressWindow Form_RewData(&window);
    host.setProgressWindow(&Form_RewData);

    window.show();
    return app.exec();
}
