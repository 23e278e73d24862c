#pragma once

#include "link/panelsearch.h"

#include <QString>

class Host;
class PanelLink;
class QComboBox;

inline const QString FindPanelCaption = QStringLiteral("Найти ППК");
inline const QString FindPanelHint =
    QStringLiteral("Опросить все порты списка: на каком из них отвечает ППК (без входа и без записи)");

// The "Найти ППК" button: every port of the list is asked, the first that
// answered is chosen in the list, and a message says which ports answered.
void FindPanel(PanelLink& link, Host& host, QComboBox& portList);

// The message after a search of these ports at this speed.
QString PanelSearchReport(const QList<PortProbe>& results, int searchedCount, qint32 baud);
