#pragma once
// The process-wide form translation: every form of the system calls TranslateForm from its
// constructor once its components exist, with its section name in the language file. The
// language-file reader sits above this library, so it installs itself here when the
// environment library is linked (before main); without it translation does nothing.
#include <QString>

class TComponent;

using TFormTranslator = void (*)(TComponent *Form, const QString &SectionName);

// Translates Form from the process-wide language file, section SectionName.
void TranslateForm(TComponent *Form, const QString &SectionName);

// The installed translator, null until one is installed; null uninstalls.
TFormTranslator FormTranslator();
void SetFormTranslator(TFormTranslator translator);
