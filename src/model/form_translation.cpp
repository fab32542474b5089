#include "model/form_translation.h"

namespace {
TFormTranslator g_translator = nullptr;
}

void TranslateForm(TComponent *Form, const QString &SectionName) {
    if (g_translator && Form) g_translator(Form, SectionName);
}

TFormTranslator FormTranslator() { return g_translator; }
void SetFormTranslator(TFormTranslator translator) { g_translator = translator; }
