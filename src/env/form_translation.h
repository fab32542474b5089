#pragma once
// The process-wide translation through the language file the settings name: one fast reader
// is kept for the life of the process and read again only when the file name changes.
#include <QString>

class TComponent;

// Installs TranslateLanguageForm as the forms' translator. The library does this itself before
// main (startup.cpp); calling it again does no harm.
void InstallLanguageFiles();

// Translates Form from the process-wide language file, section SectionName; nothing happens
// while the language file name is empty. A file that cannot be opened shows "File <name> not
// found!" and is tried again (and reported again) at the next form.
void TranslateLanguageForm(TComponent *Form, const QString &SectionName);
