#include "host/standard_controls.h"

#include "host/class_registry.h"

void RegisterStandardControls() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterComponentClass<TLabel>();
    RegisterComponentClass<TEdit>();
    RegisterComponentClass<TMemo>();
    RegisterComponentClass<TSpinEdit>();
    RegisterComponentClass<TButton>();
    RegisterComponentClass<TSpeedButton>();
    RegisterComponentClass<TCheckBox>();
    RegisterComponentClass<TRadioButton>();
    RegisterComponentClass<TComboBox>();
    RegisterComponentClass<TListBox>();
    RegisterComponentClass<TRadioGroup>();
    RegisterComponentClass<TPanel>();
    RegisterComponentClass<TScrollBox>();
    RegisterComponentClass<TGroupBox>();
    RegisterComponentClass<TPageControl>();
    RegisterComponentClass<TTabSheet>();
    RegisterComponentClass<TMainMenu>();
    RegisterComponentClass<TPopupMenu>();
    RegisterComponentClass<TMenuItem>();
}
