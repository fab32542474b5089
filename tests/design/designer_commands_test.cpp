// The info text of every element kind, deleting with its confirmations, and property editing
// through the host.
#include "design_fixture.h"

#include "dblib/query.h"
#include "host/container_controls.h"
#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "reportlib/rep_calc.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

template <class T>
T *Put(TDesignForm &f, const QString &name, QWidget *parent, QRect r) {
    auto *e = new T(f.Form.get());
    e->SetName(name);
    e->SetParent(parent);
    e->SetBounds(r.x(), r.y(), r.width(), r.height());
    return e;
}

}  // namespace

TEST(DesignerInfo, EveryKindIsDescribedWithItsPositionAndFieldLabels) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Detail"), 200);
    band->SetBandType(TRepBand::rbSummary);
    TQuery *sales = f.AddDataSet(QStringLiteral("Sales"), {QStringLiteral("Amount=Sum of sales"), QStringLiteral("Item")});
    const QRect r(12, 34, 40, 20);
    const QString at = QStringLiteral("  [Position: 12/34]");

    auto *memo = Put<TVendamoMemo>(f, QStringLiteral("M"), band, r);
    auto *dbImage = Put<TVendamoDBImage>(f, QStringLiteral("Photo"), band, r);
    auto *image = Put<TVendamoImage>(f, QStringLiteral("Logo"), band, r);
    image->SetFilename(QStringLiteral("logo.png"));
    auto *shape = Put<TVendamoShape>(f, QStringLiteral("Box"), band, r);
    shape->SetShape(TRepShape::stCircle);
    auto *sysdata = Put<TVendamoSysdata>(f, QStringLiteral("Page"), band, r);
    sysdata->SetData(TRepSysData::sdPageNumber);
    auto *calc = Put<TRepDBCalc>(f, QStringLiteral("Total"), band, r);
    calc->SetOperation(TRepDBCalc::coSum);
    auto *text = Put<TVendamoDBText>(f, QStringLiteral("Amount"), band, r);
    auto *expr = Put<TVendamoExpr>(f, QStringLiteral("E"), band, r);
    expr->SetExpression(QStringLiteral("1+2"));
    auto *label = Put<TVendamoLabel>(f, QStringLiteral("L"), band, r);
    auto *rich = Put<TVendamoRichtext>(f, QStringLiteral("R"), band, r);

    TVDMDesigner *d = f.Designer;
    EXPECT_EQ(d->ElementInfo(memo), "Memo M" + at);
    EXPECT_EQ(d->ElementInfo(dbImage), "Database image Photo" + at);
    dbImage->SetDataSet(sales);
    dbImage->SetDataField(QStringLiteral("Item"));
    EXPECT_EQ(d->ElementInfo(dbImage), "Database image Photo (Field:Item, Database:Sales)" + at);
    EXPECT_EQ(d->ElementInfo(image), "Image Logo (Filename:logo.png)" + at);
    EXPECT_EQ(d->ElementInfo(shape), "Shape Box (Circle)" + at);
    EXPECT_EQ(d->ElementInfo(sysdata), "Systemdata Page (Data:Page Number)" + at);
    EXPECT_EQ(d->ElementInfo(calc), "Calculated field Total (Operation:Sum)" + at);
    calc->SetDataSet(sales);
    calc->SetDataField(QStringLiteral("Amount"));
    EXPECT_EQ(d->ElementInfo(calc), "Calculated field Total (Operation:Sum, Field:Sum of sales, Database:Sales)" + at);
    EXPECT_EQ(d->ElementInfo(band), QStringLiteral("Band Detail (Bandtype:Summary)"));
    EXPECT_EQ(d->ElementInfo(text), "Datafield Amount" + at);
    text->SetDataSet(sales);
    text->SetDataField(QStringLiteral("Amount"));
    EXPECT_EQ(d->ElementInfo(text), "Datafield Amount (Field:Sum of sales, Database:Sales)" + at);
    // A field the dataset lacks shows as written.
    text->SetDataField(QStringLiteral("Gone"));
    EXPECT_EQ(d->ElementInfo(text), "Datafield Amount (Field:Gone, Database:Sales)" + at);
    EXPECT_EQ(d->ElementInfo(expr), "Expression E : 1+2" + at);
    EXPECT_EQ(d->ElementInfo(label), "Label L" + at);
    EXPECT_EQ(d->ElementInfo(rich), at);
}

TEST(DesignerInfo, ThePanelShowsTheOneSelectedElementAsTheHostLetsIt) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 1, 2, 40, 15);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 2, 40, 15);
    auto *panel = new TPanel(f.Form.get());
    f.Designer->SetInfoPanel(panel);
    QList<TComponent *> shown;
    bool lengthen = false;
    f.Designer->SetOnShowInfo(Handler<TComponent *, QString &>([&](TComponent *c, QString &info) {
        shown << c;
        if (lengthen) info += QString(300, QLatin1Char('x'));
    }));
    f.Designer->SelectElement(true, a);
    EXPECT_EQ(panel->Caption(), QStringLiteral("Label A  [Position: 1/2]"));
    EXPECT_EQ(shown.last(), a);
    f.Designer->SelectElement(false, b);
    EXPECT_TRUE(panel->Caption().isEmpty());
    EXPECT_EQ(shown.last(), nullptr);
    lengthen = true;
    f.Designer->SelectElement(true, b);
    EXPECT_EQ(panel->Caption().size(), 255);
    // Moving the selection refreshes the position.
    lengthen = false;
    f.Handle->SetBounds(f.Handle->x() + 3, f.Handle->y(), f.Handle->width(), f.Handle->height());
    EXPECT_EQ(panel->Caption(), QStringLiteral("Label B  [Position: 103/2]"));
    // A panel that goes is forgotten.
    delete panel;
    EXPECT_EQ(f.Designer->InfoPanel(), nullptr);
    f.Designer->SelectElement(true, a);
}

TEST(DesignerDelete, ElementsGoTheirBandStaysSelectedAndLockedOnesStay) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 1, 2, 40, 15);
    QPointer<QWidget> b = f.AddLabel(QStringLiteral("B"), band, 100, 2, 40, 15);
    a->SetBlockDelete(true);
    f.Show();
    f.Designer->SelectElement(true, a);
    f.Designer->SelectElement(false, b);
    QTest::keyClick(f.Handle, Qt::Key_Delete);
    EXPECT_TRUE(b.isNull());
    EXPECT_EQ(f.Form->FindComponent(QStringLiteral("A")), a);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{band}));
    EXPECT_TRUE(f.Designer->HasChanged());

    // The host may keep an element.
    QPointer<QWidget> c = f.AddLabel(QStringLiteral("C"), band, 200, 2, 40, 15);
    QStringList asked;
    f.Designer->SetOnDeleteElement(Handler<TVDMDesigner *, TComponent *, bool &>([&](TVDMDesigner *, TComponent *e, bool &go) {
        asked << e->Name();
        go = false;
    }));
    f.Designer->SelectElement(true, c);
    f.Designer->DeleteSelectedElements();
    EXPECT_FALSE(c.isNull());
    EXPECT_EQ(asked, QStringList{"C"});
}

TEST(DesignerDelete, BandsNeedConfirmationAndTakeTheirElementsAndChildLinksAlong) {
    TDesignForm f;
    TScriptedInteraction ui;
    QPointer<TVendamoBand> band = f.AddBand(QStringLiteral("Band1"));
    QPointer<QWidget> label = f.AddLabel(QStringLiteral("A"), band, 1, 2, 40, 15);
    auto *child = new TVendamoChildBand(f.Form.get());
    child->SetName(QStringLiteral("Child"));
    child->SetParent(f.Report);
    child->SetParentBand(band);
    f.Show();

    f.Designer->SelectElement(true, band);
    ui.AnswerConfirm(mrCancel);
    f.Designer->DeleteSelectedElements();
    EXPECT_FALSE(band.isNull());
    EXPECT_EQ(ui.Questions().last().Text, QStringLiteral("Delete selected band and all elements on it?"));

    // Locked alone: no question at all.
    band->SetBlockDelete(true);
    f.Designer->DeleteSelectedElements();
    EXPECT_EQ(ui.Questions().size(), 1);
    band->SetBlockDelete(false);

    f.Designer->SelectElement(false, child);
    ui.AnswerConfirm(mrOk);
    f.Designer->DeleteSelectedElements();
    EXPECT_EQ(ui.Questions().last().Text, QStringLiteral("Delete all selected bands?"));
    EXPECT_TRUE(band.isNull());
    EXPECT_TRUE(label.isNull());
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_EQ(f.Handle->parentWidget(), f.Report);
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(DesignerDelete, DeletingABandKeepsAChildBandThatSurvivesUnlinked) {
    TDesignForm f;
    TScriptedInteraction ui;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *child = new TVendamoChildBand(f.Form.get());
    child->SetName(QStringLiteral("Child"));
    child->SetParent(f.Report);
    child->SetParentBand(band);
    f.Designer->SelectElement(true, band);
    ui.AnswerConfirm(mrOk);
    f.Designer->DeleteSelectedElements();
    EXPECT_EQ(child->ParentBand(), nullptr);
}

TEST(DesignerEdit, WithoutAHandlerAnEditIsAcceptedAndTheFontControlsFollow) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 1, 2, 40, 15);
    EXPECT_FALSE(f.Designer->EditProperties(nullptr));
    EXPECT_TRUE(f.Designer->EditProperties(a));
    auto *fonts = new TComboBox(f.Form.get());
    auto *sizes = new TComboBox(f.Form.get());
    fonts->Items()->Add(QStringLiteral("Arial"));
    fonts->Items()->Add(QStringLiteral("Courier New"));
    f.Designer->SetFontComboBox(fonts);
    f.Designer->SetFontSizeComboBox(sizes);
    a->Font()->SetName(QStringLiteral("Courier New"));
    a->Font()->SetSize(14);
    f.Designer->SetOnEditProperties(Handler<TVDMDesigner *, TComponent *, bool &>([](TVDMDesigner *, TComponent *, bool &r) { r = true; }));
    EXPECT_TRUE(f.Designer->EditProperties(a));
    EXPECT_EQ(fonts->currentText(), QStringLiteral("Courier New"));
    EXPECT_EQ(sizes->currentText(), QStringLiteral("14"));
    // Several elements that disagree leave the boxes empty.
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 2, 40, 15);
    b->Font()->SetName(QStringLiteral("Arial"));
    b->Font()->SetSize(9);
    f.Designer->SelectElement(true, a);
    f.Designer->SelectElement(false, b);
    EXPECT_EQ(fonts->currentIndex(), -1);
    EXPECT_TRUE(sizes->currentText().isEmpty());
}
