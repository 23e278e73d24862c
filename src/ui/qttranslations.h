#pragma once

#include <QLocale>

class QTranslator;

// Qt's own texts (the standard buttons, the file dialogs) in the given
// language, from the translations the system ships; nothing when it has none.
// The translator is owned by the application.
QTranslator* InstallQtTranslations(const QLocale& locale);
