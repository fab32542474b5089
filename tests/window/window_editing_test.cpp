// Editing a demo report in the window as a user does: element buttons and clicks on the report,
// moving and aligning with the mouse and the tool bar, the quick editor and its combo box, undo
// by key, and saving, with the saved file read back by the vendamo tool.
#include "window_fixture.h"

#include "design/designer.h"
#include "design/designer_dialogs.h"
#include "env/event_scrollbox.h"
#include "env/settings_file.h"
#include "model/datasource_lookup.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include "dblib/data_source.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/text_controls.h"

#include <QJsonArray>
#include <QImage>
#include <QTest>

namespace {

template <class T>
QList<T *> Elements(TComponent *form) {
    QList<T *> list;
    for (TComponent *c : form->Components())
        if (auto *t = qobject_cast<T *>(c->Object())) list << t;
    return list;
}

QJsonObject ElementNamed(const QJsonObject &info, const QString &name) {
    for (const QJsonValue &v : info[QStringLiteral("elements")].toArray())
        if (v.toObject()[QStringLiteral("name")].toString() == name) return v.toObject();
    return {};
}

}  // namespace

class WindowEditingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(Window->OpenReportFile(DemoReport(QStringLiteral("customer-list.QR2"))));
    }

    TRepBand *Band(const QString &name) const {
        TComponent *c = Window->FindComponent(name);
        return c ? qobject_cast<TRepBand *>(c->Object()) : nullptr;
    }

    // Inserts a new band below the last one with the band button and a click on the report.
    TRepBand *InsertBandAtEnd() {
        ClickButton(Window->BandSpeedButton);
        EXPECT_EQ(Window->VDMDesigner1->VendamoState(), 2);
        const QSize size = Window->DesignReport->size();
        Script->AnswerDialog([](QDialog &d) {  // the band dialog comes up at once
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Band"));
            return int(QDialog::Accepted);
        });
        ClickReport(QPoint(size.width() / 2, size.height() - 20));
        EXPECT_EQ(Script->Pending(), 0);
        EXPECT_EQ(Window->VDMDesigner1->VendamoState(), 0);
        EXPECT_TRUE(Window->NormalSpeedButton->isChecked());
        return qobject_cast<TRepBand *>(Window->VDMDesigner1->GetSelectedElement());
    }

    // Inserts one element of the kind of a button at a point of a band; the property dialog
    // that follows is accepted as it comes (a picture is chosen for an image).
    QWidget *Insert(TSpeedButton *button, TRepBand *band, QPoint at) {
        ClickButton(button);
        if (button == Window->LabelSpeedButton || button == Window->ShapeSpeedButton ||
            button == Window->DBTextSpeedButton || button == Window->SysdataSpeedButton ||
            button == Window->ExpressionSpeedButton || button == Window->MemoSpeedButton ||
            button == Window->DBImageSpeedButton || button == Window->RichtextSpeedButton ||
            button == Window->DBRichtextSpeedButton)
            Script->AnswerDialog([](QDialog &) { return int(QDialog::Accepted); });
        if (button == Window->ImageSpeedButton) {
            const QString picture = Dir.Path(QStringLiteral("picture.bmp"));
            QImage image(20, 10, QImage::Format_RGB32);
            image.fill(Qt::red);
            image.save(picture);
            Script->AnswerFile(picture);
        }
        const int sources = [this] {
            QList<TDataSource *> list;
            GetDatasourceList(Window.get(), list);
            return int(list.size());
        }();
        const bool data = button == Window->DBTextSpeedButton || button == Window->DBImageSpeedButton ||
                          button == Window->DBRichtextSpeedButton;
        if (data && sources > 1) Script->AnswerDialog([](QDialog &) { return int(QDialog::Accepted); });
        ClickReport(band->geometry().topLeft() + at);
        EXPECT_EQ(Script->Pending(), 0);
        return Window->VDMDesigner1->GetSelectedElement();
    }
};

TEST_F(WindowEditingTest, InsertsOneElementOfEveryKindFromTheElementButtons) {
    TRepBand *band = InsertBandAtEnd();
    ASSERT_TRUE(band);
    EXPECT_EQ(band->Name(), QStringLiteral("BAND1"));
    const struct {
        TSpeedButton *Button;
        const QMetaObject *Class;
    } kinds[] = {{Window->LabelSpeedButton, &TVendamoLabel::staticMetaObject},
                 {Window->DBTextSpeedButton, &TVendamoDBText::staticMetaObject},
                 {Window->ExpressionSpeedButton, &TVendamoExpr::staticMetaObject},
                 {Window->SysdataSpeedButton, &TVendamoSysdata::staticMetaObject},
                 {Window->ShapeSpeedButton, &TVendamoShape::staticMetaObject},
                 {Window->ImageSpeedButton, &TVendamoImage::staticMetaObject},
                 {Window->DBImageSpeedButton, &TVendamoDBImage::staticMetaObject},
                 {Window->MemoSpeedButton, &TVendamoMemo::staticMetaObject},
                 {Window->RichtextSpeedButton, &TVendamoRichtext::staticMetaObject},
                 {Window->DBRichtextSpeedButton, &TVendamoDBRichtext::staticMetaObject}};
    int x = 4;
    for (const auto &kind : kinds) {
        QWidget *e = Insert(kind.Button, band, QPoint(x, 2));
        ASSERT_TRUE(e) << kind.Class->className();
        EXPECT_EQ(e->metaObject(), kind.Class);
        EXPECT_EQ(e->parentWidget(), band);
        EXPECT_EQ(e->x(), x);
        x += 70;
    }
    // Bands of the other three kinds, from their buttons.
    for (const auto &[button, caption] : {std::pair{Window->SubdetailSpeedButton, "Subdetailband"},
                                          std::pair{Window->GroupSpeedButton, "Groupband"},
                                          std::pair{Window->ChildSpeedbutton, "Childband"}}) {
        ClickButton(button);
        const QSize size = Window->DesignReport->size();
        Script->AnswerDialog([caption = QString::fromLatin1(caption)](QDialog &d) {
            EXPECT_EQ(d.windowTitle(), caption);
            return int(QDialog::Accepted);
        });
        ClickReport(QPoint(size.width() / 2, size.height() - 20));
        EXPECT_EQ(Script->Pending(), 0);
    }
    EXPECT_EQ(Elements<TVendamoSubdetail>(Window.get()).size(), 1);
    EXPECT_EQ(Elements<TVendamoGroup>(Window.get()).size(), 2);  // the demo's country group and the new one
    EXPECT_GE(Elements<TVendamoChildBand>(Window.get()).size(), 1);
    EXPECT_TRUE(Window->VDMDesigner1->HasChanged());
    EXPECT_TRUE(Window->isWindowModified());
}

TEST_F(WindowEditingTest, ShiftOnAnElementButtonRepeatsTheInsertionUntilEscape) {
    TRepBand *band = InsertBandAtEnd();
    ClickButton(Window->LabelSpeedButton, Qt::ShiftModifier);
    for (int i = 0; i < 2; ++i) Script->AnswerDialog([](QDialog &) { return int(QDialog::Accepted); });
    ClickReport(band->geometry().topLeft() + QPoint(10, 2));
    ClickReport(band->geometry().topLeft() + QPoint(200, 2));
    EXPECT_EQ(Window->VDMDesigner1->VendamoState(), 3);
    EXPECT_TRUE(Window->LabelSpeedButton->isChecked());
    QTest::keyClick(Window.get(), Qt::Key_Escape);
    EXPECT_EQ(Window->VDMDesigner1->VendamoState(), 0);
    EXPECT_TRUE(Window->NormalSpeedButton->isChecked());
    int onBand = 0;
    for (QObject *child : band->children()) onBand += qobject_cast<TVendamoLabel *>(child) ? 1 : 0;
    EXPECT_EQ(onBand, 2);
}

TEST_F(WindowEditingTest, MovesAlignsEditsUndoesAndSaves) {
    TRepBand *band = InsertBandAtEnd();
    auto *label = qobject_cast<TVendamoLabel *>(Insert(Window->LabelSpeedButton, band, QPoint(8, 4)));
    auto *shape = qobject_cast<TVendamoShape *>(Insert(Window->ShapeSpeedButton, band, QPoint(300, 12)));
    ASSERT_TRUE(label && shape);
    const QString labelName = label->Name(), shapeName = shape->Name();

    // Select the label, then move it to the right by dragging its selection.
    ClickReport(band->geometry().topLeft() + label->geometry().center());
    const int before = label->x();
    DragReport(band->geometry().topLeft() + label->geometry().center(),
               band->geometry().topLeft() + label->geometry().center() + QPoint(40, 0));
    EXPECT_GT(label->x(), before + 30);

    // Select both (Shift adds) and align their top edges from the tool bar.
    ClickReport(band->geometry().topLeft() + label->geometry().center());
    ClickReport(band->geometry().topLeft() + shape->geometry().center(), Qt::ShiftModifier);
    EXPECT_EQ(Window->VDMDesigner1->GetSelectedElements().size(), 2);
    EXPECT_TRUE(Window->AllEdit->isHidden());
    EXPECT_TRUE(Window->TypeLabel->text().isEmpty());
    EXPECT_TRUE(Window->AlignMI->isEnabled());
    ClickButton(Window->TopButton);
    EXPECT_EQ(shape->y(), label->y());

    // The quick editor: the label's caption (a click on the band first, so that the next click
    // selects the label alone).
    ClickReport(band->geometry().topLeft() + QPoint(band->width() - 10, band->height() - 3));
    ClickReport(band->geometry().topLeft() + label->geometry().center());
    ASSERT_TRUE(Window->AllEdit->isVisible());
    EXPECT_EQ(Window->TypeLabel->text(), QStringLiteral("Label"));
    EXPECT_EQ(Window->AllEdit->text(), QStringLiteral("ReportLabel"));
    QTest::mouseClick(Window->AllEdit, Qt::LeftButton);
    QTest::keyClick(Window->AllEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Window->AllEdit, QStringLiteral("Customers by country"));
    // Delete edits the quick editor, not the report.
    QTest::keyClick(Window->AllEdit, Qt::Key_Backspace);
    QTest::keyClick(Window->AllEdit, Qt::Key_Delete);
    QTest::keyClick(Window->AllEdit, Qt::Key_Return);
    EXPECT_EQ(label->Caption(), QStringLiteral("Customers by countr"));
    EXPECT_EQ(Window->FindComponent(labelName)->Object(), label);

    // The combo box: the shape's kind, by key.
    ClickReport(band->geometry().topLeft() + QPoint(band->width() - 10, band->height() - 3));
    ClickReport(band->geometry().topLeft() + shape->geometry().center());
    ASSERT_TRUE(Window->AllComboBox->isVisible());
    EXPECT_EQ(Window->TypeLabel->text(), QStringLiteral("Shape"));
    EXPECT_EQ(Window->AllComboBox->Items()->ToStringList(),
              (QStringList{"Circle", "horizontal line", "Rectangle", "left/right lines", "top/bottom lines",
                           "vertical line"}));
    EXPECT_EQ(Window->AllComboBox->currentText(), QStringLiteral("Rectangle"));
    Window->AllComboBox->setFocus();
    QTest::keyClick(Window->AllComboBox, Qt::Key_Down);
    EXPECT_EQ(shape->Shape(), TRepShape::stRightAndLeft);

    // Undo by key brings the rectangle back (the report is rebuilt: look the shape up again).
    Window->Scrollbox1->setFocus();
    QTest::keyClick(Window.get(), Qt::Key_Z, Qt::ControlModifier);
    auto *restored = qobject_cast<TVendamoShape *>(Window->FindComponent(shapeName)->Object());
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Shape(), TRepShape::stRectangle);
    EXPECT_TRUE(Window->RedoMI->isEnabled());

    // Save as, and read the file back with the tool.
    const QString file = Dir.Path(QStringLiteral("edited.QR2"));
    Script->AnswerFile(file);
    QTest::keyClick(Window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Window->FileName(), file);
    EXPECT_EQ(Window->Caption(), file);
    EXPECT_FALSE(Window->VDMDesigner1->HasChanged());
    EXPECT_FALSE(Window->isWindowModified());
    const QJsonObject info = Info(file);
    const QJsonObject savedLabel = ElementNamed(info, labelName);
    EXPECT_EQ(savedLabel[QStringLiteral("content")].toString(), QStringLiteral("Customers by countr"));
    EXPECT_EQ(savedLabel[QStringLiteral("band")].toString(), QStringLiteral("BAND1"));
    EXPECT_EQ(ElementNamed(info, shapeName)[QStringLiteral("content")].toString(), QStringLiteral("ShapeRectangle"));
    EXPECT_EQ(ElementNamed(info, shapeName)[QStringLiteral("top")].toDouble(),
              savedLabel[QStringLiteral("top")].toDouble());
}

TEST_F(WindowEditingTest, DataFieldComboListsVisibleFieldsAndSetsFieldAndCaption) {
    TRepBand *band = InsertBandAtEnd();
    auto *text = qobject_cast<TVendamoDBText *>(Insert(Window->DBTextSpeedButton, band, QPoint(8, 4)));
    ASSERT_TRUE(text && text->DataSet());
    // A field that is not among the visible ones shows the first, without changing the element.
    text->SetDataField(QStringLiteral("NoSuchField"));
    Window->VDMDesigner1->SelectElement(true, text);
    ASSERT_TRUE(Window->AllComboBox->isVisible());
    EXPECT_EQ(Window->TypeLabel->text(), QStringLiteral("Data field"));
    EXPECT_EQ(Window->AllComboBox->currentIndex(), 0);
    EXPECT_EQ(text->DataField(), QStringLiteral("NoSuchField"));
    ASSERT_GT(Window->AllComboBox->count(), 1);
    const QString second = Window->AllComboBox->itemText(1);
    Window->AllComboBox->setFocus();
    QTest::keyClick(Window->AllComboBox, Qt::Key_Down);
    EXPECT_EQ(text->Caption(), second);
    EXPECT_FALSE(text->DataField().isEmpty());
    EXPECT_NE(text->DataField(), QStringLiteral("NoSuchField"));
}

TEST_F(WindowEditingTest, PropertyDialogsRunByClassAndTheReportOptionsSayWhenMissing) {
    const DesignerDialogs::TDesignerDialog linked = DesignerDialogs::Find(QStringLiteral("TVendamoLabel"));
    ASSERT_TRUE(linked);  // the property dialogs are linked into the window
    QStringList ran;
    DesignerDialogs::Register(QStringLiteral("TVendamoLabel"), [&](TVDMDesigner *, TComponent *e) {
        ran << e->Name();
        return true;
    });
    TRepBand *band = InsertBandAtEnd();
    ClickButton(Window->LabelSpeedButton);
    ClickReport(band->geometry().topLeft() + QPoint(8, 4));
    QWidget *label = Window->VDMDesigner1->GetSelectedElement();
    ASSERT_TRUE(label);
    EXPECT_EQ(ran, QStringList{TComponent::FromObject(label)->Name()});
    // A double click on the status line opens the dialog of the selected element.
    QTest::mouseDClick(Window->StatusPanel, Qt::LeftButton, {}, QPoint(Window->StatusPanel->width() - 20, 5));
    EXPECT_EQ(ran.size(), 2);
    DesignerDialogs::Register(QStringLiteral("TVendamoLabel"), {});
    // Without a linked dialog the status line says why nothing opened.
    QTest::mouseDClick(Window->StatusPanel, Qt::LeftButton, {}, QPoint(Window->StatusPanel->width() - 20, 5));
    EXPECT_TRUE(Window->XPosLabel->text().contains(QStringLiteral("No property dialog")));
    DesignerDialogs::Register(QStringLiteral("TVendamoLabel"), linked);

    // Report → Datasets runs the datasets dialog of the data library.
    Script->AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Datasets"));
        return int(QDialog::Accepted);
    });
    Window->DatasetsMI->trigger();
    EXPECT_EQ(Script->Pending(), 0);

    // Report → Options runs the report options dialog; a change there is a change of the report.
    Script->AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Report Options"));
        return int(QDialog::Accepted);
    });
    Window->VDMDesigner1->SetHasChanged(false);
    Window->ReportOptionsMI->trigger();
    EXPECT_EQ(Script->Pending(), 0);
    EXPECT_TRUE(Window->VDMDesigner1->HasChanged());
}
