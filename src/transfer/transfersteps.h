#pragma once

#include "link/host.h"

#include <QString>

class PanelLink;

// Steps the read and the write share.

// Before the login: the maximum, position 0 and the red bar.
void PrepareProgress(PanelLink& link, int maximum);

// The successful end without a message: position 0, port closed, the sound, display closed.
void CloseTransfer(PanelLink& link, Sound sound);

// The same, then the message.
void FinishTransfer(PanelLink& link, const QString& text, Sound sound = Sound::Default);

// Ends an operation the way a link failure does, with its own message: port
// and progress display closed, LinkFailed set.
void StopTransfer(PanelLink& link, const QString& text);
