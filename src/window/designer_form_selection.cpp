// The designer window's answers to the designer: the quick editor and its combo box for the
// selected element, the status line's name and position, the property dialogs by class, the
// element buttons and the datasets gathered before printing.
#include "window/report_designer_form.h"

#include "design/designer.h"
#include "design/designer_dialogs.h"
#include "design/element_access.h"
#include "env/event_scrollbox.h"
#include "model/design_report.h"
#include "model/lookup_helpers.h"
#include "model/report_constants.h"
#include "model/runtime_messages.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/property_access.h"
#include "host/strings.h"
#include "host/text_controls.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_printable.h"
#include "reportlib/rep_units.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <array>

namespace {

// The combo lists: the message keys in list order and the kind ordinal each one sets.
struct TComboEntry {
    const char *Key;
    int Ordinal;
};

const std::array<TComboEntry, 8> BandEntries = {{{"BandColumnheader", TRepBand::rbColumnHeader},
                                                 {"BandDetail", TRepBand::rbDetail},
                                                 {"BandGroupfooter", TRepBand::rbGroupFooter},
                                                 {"BandGroupheader", TRepBand::rbGroupHeader},
                                                 {"BandPageheader", TRepBand::rbPageHeader},
                                                 {"BandPagefooter", TRepBand::rbPageFooter},
                                                 {"BandSummary", TRepBand::rbSummary},
                                                 {"BandTitle", TRepBand::rbTitle}}};
const std::array<TComboEntry, 6> ShapeEntries = {{{"ShapeCircle", TRepShape::stCircle},
                                                  {"ShapeHorizontalLine", TRepShape::stHorLine},
                                                  {"ShapeRectangle", TRepShape::stRectangle},
                                                  {"ShapeLeftRightLines", TRepShape::stRightAndLeft},
                                                  {"ShapeTopBottomLines", TRepShape::stTopAndBottom},
                                                  {"ShapeVerticalLine", TRepShape::stVertLine}}};
const std::array<TComboEntry, 7> SysdataEntries = {{{"SysdataDate", TRepSysData::sdDate},
                                                    {"SysdataTime", TRepSysData::sdTime},
                                                    {"SysdataDateTime", TRepSysData::sdDateTime},
                                                    {"SysdataDetailcounter", TRepSysData::sdDetailCount},
                                                    {"SysdataDetailnumber", TRepSysData::sdDetailNo},
                                                    {"SysdataPagenumber", TRepSysData::sdPageNumber},
                                                    {"SysdataReporttitle", TRepSysData::sdReportTitle}}};

template <size_t N>
int EntryOf(const std::array<TComboEntry, N> &entries, int ordinal) {
    for (size_t i = 0; i < N; ++i)
        if (entries[i].Ordinal == ordinal) return int(i);
    return -1;
}

// The dataset and data field of a data-field or database-image element.
TDataSet *ElementDataSet(QWidget *e) {
    if (auto *t = qobject_cast<TRepDBText *>(e)) return t->DataSet();
    if (auto *i = qobject_cast<TRepDBImage *>(e)) return i->DataSet();
    return nullptr;
}

QString ElementDataField(QWidget *e) {
    if (auto *t = qobject_cast<TRepDBText *>(e)) return t->DataField();
    if (auto *i = qobject_cast<TRepDBImage *>(e)) return i->DataField();
    return QString();
}

// The property dialogs, tested in this order: the first class the element belongs to wins.
struct TPropertyDialog {
    const QMetaObject *Class;
    const char *Name;
};

const TPropertyDialog PropertyDialogs[] = {
    {&TDesignReport::staticMetaObject, "TDesignReport"},
    {&TVendamoDBText::staticMetaObject, "TVendamoDBText"},
    {&TVendamoShape::staticMetaObject, "TVendamoShape"},
    {&TVendamoExpr::staticMetaObject, "TVendamoExpr"},
    {&TVendamoChildBand::staticMetaObject, "TVendamoChildBand"},
    {&TVendamoGroup::staticMetaObject, "TVendamoGroup"},
    {&TVendamoSubdetail::staticMetaObject, "TVendamoSubdetail"},
    {&TVendamoRichtext::staticMetaObject, "TVendamoRichtext"},
    {&TVendamoDBRichtext::staticMetaObject, "TVendamoDBRichtext"},
    {&TVendamoSysdata::staticMetaObject, "TVendamoSysdata"},
    {&TVendamoImage::staticMetaObject, "TVendamoImage"},
    {&TVendamoDBImage::staticMetaObject, "TVendamoDBImage"},
    {&TVendamoLabel::staticMetaObject, "TVendamoLabel"},
    {&TVendamoMemo::staticMetaObject, "TVendamoMemo"},
    {&TVendamoBand::staticMetaObject, "TVendamoBand"},
};

bool Inherits(const QObject *o, const QMetaObject *cls) {
    for (const QMetaObject *m = o->metaObject(); m; m = m->superClass())
        if (m == cls) return true;
    return false;
}

}  // namespace

QString TReportDesignerForm::PositionText(int Pixels) const {
    const TRepUnits units = DesignReport->Units();
    QString text = QString::number(Pixels);
    const double mm = RepPixelsToMM(Pixels, DesignReport->Zoom());
    const double value = RepFromMM(mm, units, raX);
    text += QStringLiteral(" (") + QString::number(value, 'f', 2);
    switch (units) {
    case ruMM: text += QStringLiteral(" mm"); break;
    case ruInches: text += QStringLiteral(" Inches"); break;
    case ruCharacters: text += QStringLiteral(" Chars"); break;
    default: break;
    }
    return text + QLatin1Char(')');
}

void TReportDesignerForm::DesignerShowInfo(TComponent *Element, QString &Info) {
    Info.clear();
    ElementsComboBox->Items()->Clear();
    if (Element && !Element->Name().isEmpty()) {
        ElementsComboBox->Items()->Add(Element->Name());
        ElementsComboBox->SetItemIndex(0);
    }
    auto *printable = Element ? qobject_cast<TRepPrintable *>(Element->Object()) : nullptr;
    if (printable) {
        Label1->show();
        XPosLabel->setText(PositionText(printable->x()));
        YPosLabel->setText(PositionText(printable->y()));
    } else {
        XPosLabel->setText(QString());
        YPosLabel->setText(QString());
    }
}

void TReportDesignerForm::DesignerSelectionChanged(TVDMDesigner *, int NumberOfSelections) {
    for (TMenuItem *sub : {AlignMI, CenterMI, ParentCenterMI, EqualSpaceMI})
        sub->setEnabled(sub->Items(0) && sub->Items(0)->isEnabled());
    const QStringList messages = VDMDesigner1->RuntimeMessages()->ToStringList();
    if (NumberOfSelections == 0) {
        AllEdit->hide();
        AllComboBox->hide();
        TypeLabel->setText(LookupRuntimeMessage(messages, QStringLiteral("Report")));
        if (TypeLabel->text().isEmpty()) TypeLabel->setText(QStringLiteral("Report"));
    } else if (NumberOfSelections > 1) {
        AllEdit->hide();
        AllComboBox->hide();
        TypeLabel->setText(QString());
    } else {
        UpdateQuickEditor(VDMDesigner1->GetSelectedElement());
    }
    ScrollboxScrollHorz(Scrollbox1);
    UpdateUndoItems();
}

void TReportDesignerForm::UpdateQuickEditor(QWidget *e) {
    if (!e) return;
    FUpdating = true;
    const QStringList messages = VDMDesigner1->RuntimeMessages()->ToStringList();
    auto message = [&](const char *key) { return LookupRuntimeMessage(messages, QLatin1String(key)); };
    if (PropertyExists(e, QStringLiteral("Alignment"))) {
        const int alignment = int(GetIntegerProperty(e, QStringLiteral("Alignment")));
        TSpeedButton *down = alignment == 0 ? TextLeftAlignButton : alignment == 1 ? TextRightAlignButton
                                                                                     : TextCenterAlignButton;
        for (TSpeedButton *b : {TextLeftAlignButton, TextCenterAlignButton, TextRightAlignButton})
            b->SetDown(b == down);
    }
    if (auto *label = qobject_cast<TVendamoLabel *>(e)) {
        TypeLabel->setText(message("Label"));
        AllComboBox->hide();
        AllEdit->setText(label->Caption());
        AllEdit->show();
    } else if (auto *expr = qobject_cast<TRepExpr *>(e)) {
        TypeLabel->setText(message("Expression"));
        AllComboBox->hide();
        AllEdit->setText(expr->Expression());
        AllEdit->show();
    } else {
        AllComboBox->Items()->Clear();
        AllComboBox->show();
        AllEdit->hide();
        bool combo = true;
        if (qobject_cast<TVendamoChildBand *>(e)) {
            TypeLabel->setText(message("Childband")), combo = false;
        } else if (qobject_cast<TVendamoSubdetail *>(e)) {
            TypeLabel->setText(message("Subdetailband")), combo = false;
        } else if (qobject_cast<TVendamoGroup *>(e)) {
            TypeLabel->setText(message("Groupband")), combo = false;
        } else if (qobject_cast<TVendamoBand *>(e)) {
            TypeLabel->setText(message("Band"));
        } else if (qobject_cast<TVendamoDBText *>(e)) {
            TypeLabel->setText(message("Datafield"));
        } else if (qobject_cast<TVendamoMemo *>(e)) {
            TypeLabel->setText(message("Memo")), combo = false;
        } else if (qobject_cast<TVendamoDBImage *>(e)) {
            TypeLabel->setText(message("Image datafield"));
        } else if (qobject_cast<TVendamoImage *>(e)) {
            TypeLabel->setText(message("Image")), combo = false;
        } else if (qobject_cast<TVendamoShape *>(e)) {
            TypeLabel->setText(message("Shape"));
        } else if (qobject_cast<TVendamoSysdata *>(e)) {
            TypeLabel->setText(message("Sysdata"));
        } else {
            TypeLabel->setText(QString());
            combo = false;
        }
        if (combo)
            FillComboBox(e);
        else
            AllComboBox->hide();
    }
    const bool editable = !ElementFlag(e, QStringLiteral("BlockChange")) && !ElementFlag(e, QStringLiteral("BlockEdit"));
    AllEdit->setEnabled(editable);
    AllComboBox->setEnabled(editable);
    FUpdating = false;
}

void TReportDesignerForm::FillComboBox(QWidget *e) {
    const QStringList messages = VDMDesigner1->RuntimeMessages()->ToStringList();
    TStrings *items = AllComboBox->Items();
    auto fill = [&](const auto &entries, int ordinal) {
        for (const TComboEntry &entry : entries) items->Add(LookupRuntimeMessage(messages, QLatin1String(entry.Key)));
        AllComboBox->SetItemIndex(EntryOf(entries, ordinal));
    };
    if (auto *band = qobject_cast<TRepBand *>(e)) {
        fill(BandEntries, band->BandType());
    } else if (auto *shape = qobject_cast<TRepShape *>(e)) {
        fill(ShapeEntries, shape->Shape());
    } else if (auto *sysdata = qobject_cast<TRepSysData *>(e)) {
        fill(SysdataEntries, sysdata->Data());
    } else if (TDataSet *ds = ElementDataSet(e)) {
        int selected = -1;
        const QString dataField = ElementDataField(e);
        for (TField *f : ds->Fields()) {
            if (!f->Visible()) continue;
            if (selected < 0 && f->FieldName().compare(dataField, Qt::CaseInsensitive) == 0) selected = items->Count();
            items->Add(f->DisplayLabel());
        }
        // A data field outside the visible fields shows the first one, without changing the element.
        AllComboBox->SetItemIndex(selected >= 0 ? selected : (items->Count() > 0 ? 0 : -1));
    }
}

void TReportDesignerForm::AllComboBoxChange(QObject *) {
    if (FUpdating) return;
    QWidget *e = VDMDesigner1->GetSelectedElement();
    const int index = AllComboBox->currentIndex();
    if (!e || index < 0) return;
    {
        TDesignCommand command(VDMDesigner1);
        VDMDesigner1->SetHasChanged(true);
        if (auto *band = qobject_cast<TRepBand *>(e)) {
            if (index < int(BandEntries.size())) band->SetBandType(TRepBandType(BandEntries[size_t(index)].Ordinal));
        } else if (auto *shape = qobject_cast<TRepShape *>(e)) {
            if (index < int(ShapeEntries.size()))
                shape->SetShape(TRepShape::TRepShapeType(ShapeEntries[size_t(index)].Ordinal));
        } else if (auto *sysdata = qobject_cast<TRepSysData *>(e)) {
            if (index < int(SysdataEntries.size()))
                sysdata->SetData(TRepSysData::TRepSysDataType(SysdataEntries[size_t(index)].Ordinal));
        } else if (TDataSet *ds = ElementDataSet(e)) {
            const QString label = AllComboBox->currentText();
            const QString field = FindField4DisplayLabel(ds, label);
            if (auto *text = qobject_cast<TRepDBText *>(e)) {
                text->SetDataField(field);
                text->SetCaption(label);
            } else if (auto *image = qobject_cast<TRepDBImage *>(e)) {
                image->SetDataField(field);
            }
        }
    }
    e->update();
    // Reselecting refreshes the handles and the panels.
    VDMDesigner1->SelectElement(true, e);
}

void TReportDesignerForm::AllEditChange(QObject *) {
    if (FUpdating) return;
    QWidget *e = VDMDesigner1->GetSelectedElement();
    if (!e || !AllEdit->isVisible()) return;
    const QString property = qobject_cast<TRepExpr *>(e) ? QStringLiteral("Expression") : QStringLiteral("Caption");
    if (!PropertyExists(e, property) || GetStringProperty(e, property) == AllEdit->text()) return;
    {
        TDesignCommand command(VDMDesigner1);
        VDMDesigner1->SetHasChanged(true);
        SetStringProperty(e, property, AllEdit->text());
    }
    e->update();
    VDMDesigner1->RedrawSelection();
}

void TReportDesignerForm::FillElementsComboBox() {
    QStringList names;
    for (TComponent *c : Components())
        if (c->Object() && PropertyExists(c->Object(), QStringLiteral("BlockDelete")) && !c->Name().isEmpty())
            names << c->Name();
    names.sort();
    FUpdating = true;
    const QString current = ElementsComboBox->currentText();
    ElementsComboBox->Items()->SetStringList(names);
    ElementsComboBox->SetItemIndex(int(names.indexOf(current)));
    FUpdating = false;
}

void TReportDesignerForm::ElementsComboBoxChange(QObject *) {
    if (FUpdating) return;
    TComponent *c = FindComponent(ElementsComboBox->currentText());
    auto *w = c ? qobject_cast<QWidget *>(c->Object()) : nullptr;
    if (w) VDMDesigner1->SelectElement(true, w);
}

void TReportDesignerForm::DesignerEditProperties(TVDMDesigner *, TComponent *Element, bool &EditResult) {
    QObject *o = Element ? Element->Object() : nullptr;
    if (!o) return;
    for (const TPropertyDialog &d : PropertyDialogs) {
        if (!Inherits(o, d.Class)) continue;
        const QString name = QLatin1String(d.Name);
        if (DesignerDialogs::Run(name, VDMDesigner1, Element, EditResult)) return;
        // No property dialog is linked for this class: the element stays as it is (a new one is
        // kept), and the status line says why nothing opened.
        EditResult = true;
        XPosLabel->setText(QStringLiteral("No property dialog for %1 is available.").arg(Element->Name()));
        YPosLabel->setText(QString());
        Label1->hide();
        return;
    }
    EditResult = true;
}

bool TReportDesignerForm::RunDialog(const QString &Name, const QString &Title, TComponent *Element) {
    bool accepted = false;
    if (DesignerDialogs::Run(Name, VDMDesigner1, Element, accepted)) return accepted;
    QString title = Title;
    title.remove(QLatin1Char('&'));
    if (title.endsWith(QLatin1String("..."))) title.chop(3);
    Interaction().ShowMessage(QStringLiteral("\"%1\" is not available: this designer was built without that dialog.")
                                  .arg(title),
                              Caption());
    return false;
}

void TReportDesignerForm::DesignerStateChanged(TVDMDesigner *, quint16 State) {
    for (TSpeedButton *b : FElementButtons)
        if (b->Tag() == State) b->SetDown(true);
    FCancelInsertion->setEnabled(State != 0);
}

void TReportDesignerForm::ElementButtonClick(QObject *Sender) {
    auto *b = qobject_cast<TSpeedButton *>(Sender);
    if (!b) return;
    b->SetDown(true);
    VDMDesigner1->SetVendamoState(quint16(b->Tag()));
}

void TReportDesignerForm::ScrollboxScrollHorz(QObject *) {
    ScrollBox2->SetHorzScrollPosition(Scrollbox1->HorzScrollPosition());
}

void TReportDesignerForm::DesignReportBeforePrint(QObject *, bool &) {
    auto addOwned = [this](const TComponent *owner) {
        if (!owner) return;
        for (TComponent *c : owner->Components())
            if (auto *ds = dynamic_cast<TDataSet *>(c)) DesignReport->AddToAllDataSets(ds);
    };
    addOwned(this);
    addOwned(VDMDesigner1->DatabaseOwner());
    if (VDMDesigner1->UseDataModules())
        for (TDataModule *module : Screen::DataModules()) addOwned(module);
}

void TReportDesignerForm::UpdateUndoItems() {
    const bool undo = VDMDesigner1->UndoEnabled();
    UndoMI->setVisible(undo);
    UndoSeparatorMI->setVisible(undo);
    RedoMI->setVisible(undo);
    UndoSpeedButton->setVisible(undo);
    UndoMI->setEnabled(VDMDesigner1->CanUndo());
    UndoSpeedButton->setEnabled(VDMDesigner1->CanUndo());
    RedoMI->setEnabled(VDMDesigner1->CanRedo());
}

bool TReportDesignerForm::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() == QEvent::MouseButtonPress) {
        auto *b = qobject_cast<TSpeedButton *>(watched);
        if (b && FElementButtons.contains(b))
            VDMDesigner1->RepeatInsertion = static_cast<QMouseEvent *>(e)->modifiers() & Qt::ShiftModifier;
        if (watched == ElementsComboBox) FillElementsComboBox();
    } else if (e->type() == QEvent::KeyPress && watched == ElementsComboBox) {
        FillElementsComboBox();
    } else if (e->type() == QEvent::MouseButtonDblClick && watched == StatusPanel) {
        if (QWidget *selected = VDMDesigner1->GetSelectedElement())
            VDMDesigner1->EditProperties(TComponent::FromObject(selected));
        return true;
    } else if (e->type() == QEvent::Wheel && watched == Scrollbox1->viewport()) {
        return WheelOnSurface(static_cast<QWheelEvent *>(e));
    }
    return TForm::eventFilter(watched, e);
}
