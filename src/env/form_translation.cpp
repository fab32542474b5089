#include "env/form_translation.h"

#include "env/language_ini_file.h"
#include "env/speedy_ini_file.h"
#include "model/form_translation.h"
#include "model/language_setting.h"

#include <memory>

namespace {

// The language file last read; a reader whose file could not be opened has no file name, so
// the next form reads again.
std::unique_ptr<TSpeedyIniFile> &CachedReader() {
    static std::unique_ptr<TSpeedyIniFile> reader;
    return reader;
}

}  // namespace

void InstallLanguageFiles() {
    RegisterLanguageIniFile();
    SetFormTranslator(&TranslateLanguageForm);
}

void TranslateLanguageForm(TComponent *Form, const QString &SectionName) {
    const QString fileName = VendamoLanguageIniFile();
    if (fileName.isEmpty() || !Form) return;
    std::unique_ptr<TSpeedyIniFile> &reader = CachedReader();
    if (!reader || reader->FileName() != fileName) {
        reader = std::make_unique<TSpeedyIniFile>();
        reader->ReadIniFile(fileName);
    }
    TLanguageIniFile translator(Form);
    translator.SetFormName(SectionName);
    translator.TranslateFormGlobal(*reader);
}
