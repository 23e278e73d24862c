#pragma once

class PanelLink;
class QLocale;
class SettingsStore;

// ButtonWriteClick's operation: checks the values, asks for confirmation, logs
// in, writes every block of the memory map and the 30 user records, restarts
// the panel. Nothing is sent unless every value fits its place in panel memory.
// True when it ran to "Записано успешно, ППК перезагружен."; false when refused,
// answered No, failed, or another panel operation holds the link.
bool WriteConfiguration(PanelLink& link, const SettingsStore& store, const QLocale& locale);
