#pragma once

#include "transfer/panelcomparison.h"

#include <QString>

// The texts a write leaves behind: its lasting notices and its own messages.
// backupPath is the copy of the panel taken before the write; empty for none.

// Cut short once the panel had taken part of it: what the panel now holds and how to recover.
QString PartialWriteNotice(int blocksWritten, int blocks, const QString& backupPath);

// Written and restarted, not verified (not asked for); empty without a backup.
QString WrittenNotice(const QString& backupPath);

// Written and restarted, and the read-back equals what was sent.
QString VerifiedNotice(const QString& backupPath);

// Written and restarted, but the read-back could not be done.
QString UnverifiedNotice(const QString& backupPath);

// Written and restarted, but the panel holds something else: each value that differs.
QString ReadBackDiffersText(const std::vector<PanelDifference>& differences, const QString& backupPath);

// The backup could not be saved, so nothing was written.
QString BackupFailedText(const QString& problem);

// The panel did not answer after its restart within the wait.
QString NoAnswerAfterRestartText();
