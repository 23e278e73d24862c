#pragma once

#include <QString>

class PanelLink;

// Steps the read and the write share.

// Before the login: the maximum, position 0 and the red bar.
void PrepareProgress(PanelLink& link, int maximum);

// The successful end: position 0, port closed, default sound, display closed, the message.
void FinishTransfer(PanelLink& link, const QString& successText);

// Ends an operation the way a link failure does, with its own message: port
// and progress display closed, LinkFailed set.
void StopTransfer(PanelLink& link, const QString& text);
