// Every property dialog the window can open, for every element and band kind and the report:
// with every control changed, Cancel leaves the saved report byte for byte as it was, and OK
// changes it.
#include "design_fixture.h"

#include "design/designer_dialogs.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"

#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/scripted_interaction.h"
#include "host/stream.h"
#include "host/text_controls.h"
#include "reportlib/rep_richtext.h"

#include <gtest/gtest.h>

namespace {

// What a user could change without opening further dialogs: every enabled box toggled, every
// list moved to its last item, numbers made 7 and texts extended.
void ChangeEverything(QDialog &d) {
    for (TCheckBox *b : d.findChildren<TCheckBox *>())
        if (b->isEnabled()) b->setChecked(!b->isChecked());
    for (TComboBox *c : d.findChildren<TComboBox *>())
        if (c->isEnabled() && c->count() > 1) c->SetItemIndex(c->count() - 1);
    for (TEdit *e : d.findChildren<TEdit *>()) {
        if (!e->isEnabled()) continue;
        bool number = false;
        e->text().toDouble(&number);
        e->setText(number ? QStringLiteral("7") : e->text() + QStringLiteral("X"));
    }
    for (TSpinEdit *s : d.findChildren<TSpinEdit *>()) s->setValue(s->value() == 2 ? 3 : 2);
    for (TMemo *m : d.findChildren<TMemo *>()) m->appendPlainText(QStringLiteral("X"));
    for (TRepRichEdit *r : d.findChildren<TRepRichEdit *>()) r->append(QStringLiteral("X"));
}

QByteArray Saved(TVDMDesigner *designer) {
    TMemoryStream stream;
    EXPECT_TRUE(designer->SaveReport_ToStream(stream));
    return stream.Data();
}

}  // namespace

TEST(DialogSweep, CancelChangesNothingAndOkWritesBack) {
    TScriptedInteraction script;
    TDesignForm f;
    TVendamoBand *band = f.AddBand(QStringLiteral("Band1"));
    f.AddBand(QStringLiteral("Band2"));
    f.AddDataSet(QStringLiteral("Orders"), {"OrderNo", "Amount"});
    f.AddDataSet(QStringLiteral("Items"), {"Name", "Photo"});
    QList<QObject *> elements{f.Report};
    auto add = [&](TComponent *c, const QString &name, QWidget *parent) {
        c->SetName(name);
        auto *w = qobject_cast<TRepControl *>(c->Object());
        w->SetParent(parent);
        if (parent != f.Report) w->SetBounds(10, 10, 60, 20);
        elements << w;
    };
    add(new TVendamoChildBand(f.Form.get()), QStringLiteral("Child1"), f.Report);
    add(new TVendamoSubdetail(f.Form.get()), QStringLiteral("Sub1"), f.Report);
    add(new TVendamoGroup(f.Form.get()), QStringLiteral("Group1"), f.Report);
    elements << band;
    add(new TVendamoLabel(f.Form.get()), QStringLiteral("Label1"), band);
    add(new TVendamoDBText(f.Form.get()), QStringLiteral("DBText1"), band);
    add(new TVendamoExpr(f.Form.get()), QStringLiteral("Expr1"), band);
    add(new TVendamoSysdata(f.Form.get()), QStringLiteral("Sysdata1"), band);
    add(new TVendamoMemo(f.Form.get()), QStringLiteral("Memo1"), band);
    add(new TVendamoShape(f.Form.get()), QStringLiteral("Shape1"), band);
    add(new TVendamoDBImage(f.Form.get()), QStringLiteral("DBImage1"), band);
    add(new TVendamoRichtext(f.Form.get()), QStringLiteral("Rich1"), band);
    add(new TVendamoDBRichtext(f.Form.get()), QStringLiteral("DBRich1"), band);

    for (QObject *element : elements) {
        const QString name = QString::fromLatin1(element->metaObject()->className());
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(DesignerDialogs::Has(name));
        const QByteArray before = Saved(f.Designer);
        bool accepted = true;
        script.AnswerDialog([](QDialog &d) {
            ChangeEverything(d);
            return int(QDialog::Rejected);
        });
        ASSERT_TRUE(DesignerDialogs::Run(name, f.Designer, TComponent::FromObject(element), accepted));
        EXPECT_FALSE(accepted);
        EXPECT_EQ(Saved(f.Designer), before);

        script.AnswerDialog([](QDialog &d) {
            ChangeEverything(d);
            return int(QDialog::Accepted);
        });
        ASSERT_TRUE(DesignerDialogs::Run(name, f.Designer, TComponent::FromObject(element), accepted));
        EXPECT_TRUE(accepted);
        EXPECT_NE(Saved(f.Designer), before);
        EXPECT_EQ(script.Pending(), 0);
        EXPECT_TRUE(script.Errors().isEmpty()) << script.Errors().join(QStringLiteral(" | ")).toStdString();
    }
}
