#include "ui/mainpage.h"

#include "ui/apptexts.h"
#include "ui/pictures.h"

#include <QGridLayout>
#include <QLabel>

namespace {

const QString WelcomeText = QStringLiteral(
    "Добро пожаловать в программу \"QZV-6 Configurator\",\rкоторая используется для конфигурирования\r"
    "охранного прибора \"QZV-6\".\rПодключение производится через вилку\rна плате \"Х4\" и адаптер USB-UART,\r"
    "назначение контактов:\r1-GND;\r2-Tx;\r3-Rx;\r4-GND.\rВо время программирования питание\r"
    "прибора должно быть включено.\r\rДля записи или чтения необходимо выбрать\rСОМ-порт адаптера, номер которого\r"
    "можно узнать в диспетчере устройств Windows.");
const QString ContactLine = QStringLiteral("По вопросам и предложениям обращайтесь на наш сайт:");
// A neutral address: the maker's own is not known here.
const QString SiteAddress = QStringLiteral("https://example.org/qzv6");
const QString Version = QStringLiteral("v:5.2");

QLabel* NamedLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

} // namespace

QWidget* BuildMainPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(18, 10, 14, 14);
    grid->setHorizontalSpacing(24);

    QLabel* version = NamedLabel(QStringLiteral("sLabel_Version"), Version);
    version->setEnabled(false);
    grid->addWidget(version, 0, 0, 1, 2, Qt::AlignRight | Qt::AlignTop);

    QLabel* board = NamedLabel(QStringLiteral("Image_Board"), QString());
    board->setPixmap(PanelBoardPicture());
    grid->addWidget(board, 1, 0, Qt::AlignTop | Qt::AlignLeft);

    QLabel* welcome = NamedLabel(QStringLiteral("sLabel_Welcome"), AppTexts::Display(WelcomeText));
    welcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(welcome, 1, 1, Qt::AlignTop | Qt::AlignLeft);

    grid->addWidget(NamedLabel(QStringLiteral("sLabel_Contact"), ContactLine), 2, 0, 1, 2);
    QLabel* site = NamedLabel(QStringLiteral("sLabel_Site"),
                              QStringLiteral("<a href=\"%1\">%1</a>").arg(SiteAddress));
    site->setOpenExternalLinks(true);
    grid->addWidget(site, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    return page;
}
