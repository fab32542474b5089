// The designable printable elements: published properties, defaults, the designer link, mouse
// forwarding, design-time frames, Degree and grouping.
#include "model_fixture.h"

#include "model/lookup_helpers.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include "host/class_registry.h"
#include "host/property_access.h"

#include <QMetaProperty>
#include <gtest/gtest.h>

namespace {

QStringList OwnProperties(const QMetaObject &meta) {
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) names.append(meta.property(i).name());
    return names;
}

const QStringList Tail = {"StretchHeightWithBand", "FixBottomPosition"};
const QStringList FiveFlags = {"BlockDelete", "BlockMove", "BlockResize", "BlockEdit", "BlockChange"};

}  // namespace

TEST(Elements, PublishTheirPropertiesInTheirOwnOrder) {
    EXPECT_EQ(OwnProperties(TVendamoLabel::staticMetaObject),
              QStringList({"GroupID", "Degree", "Vendamoer", "BlockDelete", "BlockMove", "BlockResize", "BlockEdit"}) + Tail);
    EXPECT_EQ(OwnProperties(TVendamoDBText::staticMetaObject),
              QStringList({"GroupID", "Vendamoer"}) + FiveFlags +
                  QStringList({"SuppressRepeatedValues", "ReprintOnNewPage", "ReprintOnNewGroup", "BlankIfZero"}) + Tail);
    EXPECT_EQ(OwnProperties(TVendamoExpr::staticMetaObject),
              QStringList({"GroupID", "Degree", "Vendamoer"}) + FiveFlags + Tail);
    EXPECT_EQ(OwnProperties(TVendamoImage::staticMetaObject),
              QStringList({"GroupID", "Filename", "Vendamoer"}) + FiveFlags + Tail);
    const QStringList plain = QStringList({"GroupID", "Vendamoer"}) + FiveFlags + Tail;
    for (const QMetaObject *m : {&TVendamoMemo::staticMetaObject, &TVendamoShape::staticMetaObject,
                                 &TVendamoSysdata::staticMetaObject, &TVendamoDBImage::staticMetaObject,
                                 &TVendamoRichtext::staticMetaObject, &TVendamoDBRichtext::staticMetaObject})
        EXPECT_EQ(OwnProperties(*m), plain) << m->className();
    const QMetaObject &label = TVendamoLabel::staticMetaObject;
    EXPECT_EQ(label.property(label.indexOfProperty("Degree")).metaType(), QMetaType::fromType<quint16>());
    EXPECT_EQ(label.property(label.indexOfProperty("GroupID")).metaType(), QMetaType::fromType<qint32>());
}

TEST(Elements, AllClassesAreRegisteredAndFindTheirDesigner) {
    TModelFixture fx;
    const char *names[] = {"TVendamoBand",  "TVendamoChildBand", "TVendamoGroup",  "TVendamoSubdetail",
                           "TVendamoLabel", "TVendamoDBText",    "TVendamoExpr",   "TVendamoImage",
                           "TVendamoMemo",  "TVendamoShape",     "TVendamoSysdata", "TVendamoDBImage",
                           "TVendamoRichtext", "TVendamoDBRichtext"};
    for (const char *name : names) {
        const TComponentClass *c = FindComponentClass(name);
        ASSERT_NE(c, nullptr) << name;
        TComponent *made = c->Create(fx.Form());
        EXPECT_EQ(made->ClassName(), name);
        EXPECT_EQ(GetPointerProperty(made->Object(), "Vendamoer"), fx.Loader()) << name;
    }
}

TEST(Elements, DefaultsAndCommonPropertiesByName) {
    TModelFixture fx;
    auto *label = new TVendamoLabel(fx.Form());
    EXPECT_EQ(label->Degree(), 0);
    EXPECT_EQ(label->GroupID(), 0);
    EXPECT_TRUE(label->AutoSize());   // the report library's default stays
    // A label has no BlockChange: it reads false by name and ignores writes.
    EXPECT_FALSE(PropertyExists(label, "BlockChange"));
    SetBooleanProperty(label, "BlockChange", true);
    EXPECT_FALSE(GetBooleanProperty(label, "BlockChange"));
    auto *memo = new TVendamoMemo(fx.Form());
    SetBooleanProperty(memo, "BlockChange", true);
    SetBooleanProperty(memo, "FixBottomPosition", true);
    EXPECT_TRUE(memo->BlockChange());
    EXPECT_TRUE(memo->FixBottomPosition());
    auto *image = new TVendamoImage(fx.Form());
    image->SetFilename(QString(300, u'f'));
    EXPECT_EQ(image->Filename().size(), 255);
    // The rich text's own editor is switched off.
    auto *rich = new TVendamoRichtext(fx.Form());
    ASSERT_NE(rich->RichEdit(), nullptr);
    EXPECT_FALSE(rich->RichEdit()->isEnabled());
}

TEST(Elements, DegreeIsReducedToOneTurnAndStopsAutoSize) {
    TModelFixture fx;
    auto *band = fx.AddBand<TVendamoBand>(rbDetail, 30);
    auto *label = fx.Add<TVendamoLabel>(band, 0);
    label->SetAutoSize(true);
    label->SetCaption("A rather long caption");
    const double width = label->SizeMM(3);
    label->SetDegree(4000);
    EXPECT_EQ(label->Degree(), 400);
    EXPECT_FALSE(label->AutoSize());
    // Switching AutoSize off this way does not resize the label.
    EXPECT_DOUBLE_EQ(label->SizeMM(3), width);
    label->SetDegree(7300);
    EXPECT_EQ(label->Degree(), 100);
    label->SetDegree(3600);
    EXPECT_EQ(label->Degree(), 3600);
    SetIntegerProperty(label, "Degree", 0);
    EXPECT_EQ(label->Degree(), 0);
    label->SetAutoSize(true);
    label->SetDegree(0);   // unchanged: AutoSize stays
    EXPECT_TRUE(label->AutoSize());
    auto *expr = fx.Add<TVendamoExpr>(band, 0);
    expr->SetDegree(65535);
    EXPECT_EQ(expr->Degree(), 65535 - 18 * 3600);
    EXPECT_FALSE(expr->AutoSize());
}

TEST(Elements, MouseEventsGoToTheDesignerWhateverTheBlockFlags) {
    TModelFixture fx(true);
    auto *designer = static_cast<TRecordingDesigner *>(fx.Loader());
    auto *band = fx.AddBand<TVendamoBand>(rbDetail, 30);
    auto *memo = fx.Add<TVendamoMemo>(band, 5, 5);
    memo->SetBlockMove(true);
    memo->SetBlockEdit(true);
    auto *rich = fx.Add<TVendamoRichtext>(band, 50, 5);
    SendMouse(memo, QEvent::MouseButtonPress, 3, 4);
    SendMouse(memo, QEvent::MouseMove, 5, 6);
    SendMouse(rich, QEvent::MouseButtonRelease, 7, 8);
    ASSERT_EQ(designer->Calls.size(), 3);
    EXPECT_EQ(designer->Calls[0].Kind, "down");
    EXPECT_EQ(designer->Calls[0].Sender, memo);
    EXPECT_EQ(designer->Calls[0].X, 3);
    EXPECT_EQ(designer->Calls[1].Kind, "move");
    EXPECT_EQ(designer->Calls[2].Sender, rich);
    EXPECT_EQ(designer->Calls[2].Y, 8);
}

TEST(Elements, VendamoerIsClearedWhenTheDesignerGoesAndFilledWhenOneArrives) {
    TForm form;
    auto *shape = new TVendamoShape(&form);
    auto *expr = new TVendamoExpr(&form);
    EXPECT_EQ(shape->Vendamoer(), nullptr);
    auto *designer = new TRecordingDesigner(&form);
    EXPECT_EQ(shape->Vendamoer(), designer);
    EXPECT_EQ(expr->Vendamoer(), designer);
    // An expression forgets a master band that goes away.
    auto *master = new TVendamoSubdetail(&form);
    expr->SetMaster(master);
    delete master;
    EXPECT_EQ(expr->Master(), nullptr);
    delete designer;
    EXPECT_EQ(shape->Vendamoer(), nullptr);
    EXPECT_EQ(expr->Vendamoer(), nullptr);
}

TEST(Elements, GroupsAreSwitchedOnAndOffTogether) {
    TModelFixture fx;
    auto *a = new TVendamoLabel(fx.Form());
    auto *b = new TVendamoShape(fx.Form());
    auto *c = new TVendamoMemo(fx.Form());
    auto *plain = new TRepLabel(fx.Form());
    a->SetGroupID(7);
    b->SetGroupID(7);
    c->SetGroupID(8);
    DisableGroup(a, 7);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(c->Enabled());
    EXPECT_TRUE(plain->Enabled());
    EnableGroup(c, 7);   // any member of the owner can name the group
    EXPECT_TRUE(a->Enabled() && b->Enabled());
    // Group 0 means "not grouped": nothing changes.
    DisableGroup(plain, 0);
    EXPECT_TRUE(plain->Enabled() && a->Enabled());
}

TEST(Elements, DesignFramesAndComponentFrames) {
    auto redPixels = [](QWidget *w) {
        QImage image(w->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        w->render(&image);
        int n = 0;
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, 0) == QColor(Qt::red);
        return n;
    };
    TModelFixture fx(true);
    auto *designer = static_cast<TRecordingDesigner *>(fx.Loader());
    designer->SetComponentFrameColor(clRed);
    designer->SetComponentFrameStyle(0);
    auto *band = fx.AddBand<TVendamoBand>(rbDetail, 30);
    auto *shape = fx.Add<TVendamoShape>(band, 5, 5, 30, 10);
    shape->Pen()->SetStyle(psClear);
    auto *image = fx.Add<TVendamoImage>(band, 50, 5, 30, 10);
    EXPECT_EQ(redPixels(shape), 0);
    designer->SetShowComponentFrames(true);
    EXPECT_EQ(redPixels(shape), shape->width());
    // Images show no component frame.
    EXPECT_EQ(redPixels(image), 0);
    // The element's own frame on top (left side only: one red pixel at the top row).
    designer->SetShowComponentFrames(false);
    auto *label = fx.Add<TVendamoLabel>(band, 90, 5, 30, 10);
    label->SetCaption("");
    label->Frame()->SetColor(clRed);
    label->Frame()->SetDrawLeft(true);
    EXPECT_GE(redPixels(label), 1);
    EXPECT_LE(redPixels(label), 2);
}
