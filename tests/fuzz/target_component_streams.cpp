// Component streams of the host's standard controls: what another process puts on the
// clipboard reads whole or not at all.
#include "fuzz_target.h"
#include "regression_inputs.h"

#include "host/button_controls.h"
#include "host/component_stream.h"
#include "host/container_controls.h"
#include "host/exceptions.h"
#include "host/forms.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/picture.h"
#include "host/stream.h"
#include "host/text_controls.h"

#include <stdexcept>

namespace {

template <class T>
T *Make(TComponent *owner, QWidget *parent, const QString &name) {
    auto *c = new T(owner);
    c->SetName(name);
    if (parent) c->setParent(parent);
    return c;
}

// A form with every standard control, containers holding others and a menu.
void BuildControls(TForm &form) {
    auto *panel = Make<TPanel>(&form, &form, QStringLiteral("Panel"));
    panel->SetCaption(QStringLiteral("Grüße € 漢字"));
    Make<TLabel>(&form, panel, QStringLiteral("Label"))->SetHint(QStringLiteral("hint"));
    Make<TEdit>(&form, panel, QStringLiteral("Edit"))->SetLeft(12);
    Make<TMemo>(&form, panel, QStringLiteral("Memo"))->Lines()->SetText(QStringLiteral("one\ntwo\n\nfour"));
    Make<TSpinEdit>(&form, panel, QStringLiteral("Spin"))->setValue(7);
    Make<TButton>(&form, panel, QStringLiteral("Button"));
    Make<TSpeedButton>(&form, panel, QStringLiteral("Speed"));
    Make<TCheckBox>(&form, panel, QStringLiteral("Check"));
    Make<TRadioButton>(&form, panel, QStringLiteral("Radio"));
    auto *combo = Make<TComboBox>(&form, &form, QStringLiteral("Combo"));
    combo->Items()->SetText(QStringLiteral("a\nb\nc"));
    combo->SetItemIndex(1);
    auto *list = Make<TListBox>(&form, &form, QStringLiteral("List"));
    list->Items()->SetText(QStringLiteral("x\ny"));
    auto *radios = Make<TRadioGroup>(&form, &form, QStringLiteral("Radios"));
    radios->Items()->SetText(QStringLiteral("r1\nr2\nr3"));
    radios->SetColumns(2);
    radios->SetItemIndex(2);
    auto *group = Make<TGroupBox>(&form, &form, QStringLiteral("Group"));
    Make<TCheckBox>(&form, group, QStringLiteral("Inner"));
    auto *pages = Make<TPageControl>(&form, &form, QStringLiteral("Pages"));
    for (int i = 0; i < 3; ++i) {
        auto *sheet = Make<TTabSheet>(&form, nullptr, QStringLiteral("Sheet%1").arg(i));
        sheet->SetPageControl(pages);
        sheet->SetCaption(QStringLiteral("Page %1").arg(i));
    }
    pages->setCurrentIndex(1);
    auto *menu = Make<TMainMenu>(&form, &form, QStringLiteral("Menu"));
    auto *file = new TMenuItem(&form);
    file->SetName(QStringLiteral("FileItem"));
    file->setText(QStringLiteral("&File"));
    menu->Add(file);
    auto *open = new TMenuItem(&form);
    open->SetName(QStringLiteral("OpenItem"));
    open->SetShortCut(QStringLiteral("Ctrl+O"));
    file->Add(open);
}

QList<QByteArray> ComponentSeeds() {
    QList<QByteArray> seeds;
    TForm form;
    form.SetName(QStringLiteral("Source"));
    BuildControls(form);
    QList<TComponent *> all = StreamChildren(&form);
    for (TComponent *c : all) {
        TMemoryStream one;
        TComponentWriter(one, &form).WriteComponents({c});
        seeds << one.Data();
    }
    TMemoryStream whole;
    TComponentWriter(whole, &form).WriteComponents(all);
    seeds << whole.Data();
    return seeds;
}

}  // namespace

TFuzzTarget ComponentStreamTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("component_stream");
    t.Seeds = ComponentSeeds;
    t.Regressions = ComponentStreamRegressions;
    t.Run = [](const QByteArray &input) {
        TForm form;
        form.SetName(QStringLiteral("Target"));
        TMemoryStream s(input);
        try {
            // Names are kept: references between the read components resolve by them, and a
            // name read twice is a refusal like any other damage.
            TComponentReader(s, &form, &form).ReadComponents();
            return true;
        } catch (const EStreamError &) {
        } catch (const EComponentError &) {
        }
        if (form.ComponentCount() != 0) throw std::logic_error("a refused stream left components behind");
        return false;
    };
    t.Tokens = {QByteArray("VCS1"), QByteArray("\x06TPanel", 7), QByteArray("\x05Items\x06", 7),
                QByteArray("\x07\xFF\xFF\xFF\x7F", 5), QByteArray("\x04Left\x03", 6)};
    return t;
}
