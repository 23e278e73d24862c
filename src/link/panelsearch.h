#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class PanelLink;

// How one port took the search.
struct PortProbe {
    enum class Outcome { Answered, Silent, Unavailable };

    QString port;
    Outcome outcome = Outcome::Silent;
    QString error; // the port's own text when it could not be opened or used

    bool operator==(const PortProbe&) const = default;
};

// Finds the panel among the ports: each is opened at the link's speed, offered
// the opening request up to three times with the acknowledged exchange's wait,
// and closed. Nothing else is ever sent: no login, no write. Quiet: a port
// that does not answer shows no link failure; one that cannot be opened is
// skipped and named. Esc stops the search before the next port.
// Runs as one panel operation; nothing when another one holds the link.
std::optional<QList<PortProbe>> SearchPanel(PanelLink& link, const QStringList& ports);
