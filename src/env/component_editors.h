#pragma once
// The component editors of the package: the language-file component offers to write the
// texts of its form into its language file and to translate the form from it; the designer
// component shows what it is. The first three verbs of each are lines of information.
#include "env/design_environment.h"

class TLanguageIniFile;
class TVDMDesigner;

class TLIFDesignModeMenu : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() const override { return 6; }
    // 0-2 information, 3 "-", 4 "Save strings to INI-file", 5 "Load strings from INI-file".
    QString GetVerb(int Index) const override;
    void ExecuteVerb(int Index) override;
};

class TVDMDesignerDesignModeMenu : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() const override { return 3; }
    QString GetVerb(int Index) const override;
    // Information only: nothing happens.
    void ExecuteVerb(int) override {}
};
