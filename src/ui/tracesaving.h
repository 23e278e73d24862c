#pragma once

#include <QString>

class Host;
class ProtocolTrace;

// The trace's entry in the window and Ctrl+L.
inline const QString TraceButtonCaption = QStringLiteral("Журнал обмена");
inline const QString TraceButtonHint = QStringLiteral("Сохранить журнал обмена с ППК в текстовый файл (Ctrl+L)");

// Asks for a text file and writes the trace into it, whole or not at all.
void SaveProtocolTrace(const ProtocolTrace& trace, Host& host, const QString& folder);
