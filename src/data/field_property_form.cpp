#include "data/field_property_form.h"
#include "data/named_controls.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "data/field_edit_forms.h"
#include "dblib/dataset.h"
#include "design/designer.h"
#include "host/button_controls.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/form_translation.h"
#include "persist/field_definitions.h"

namespace {

bool IsExtraField(const TField *field) { return field->Calculated() || field->Lookup(); }

}  // namespace

TFieldPropertyForm::TFieldPropertyForm(QWidget *parent) : QDialog(parent), TComponent(nullptr) {
    SetName(QStringLiteral("FieldPropertyForm"));
    ListBox1 = Named(new TListBox(this), "ListBox1");
    auto button = [this](const char *name, const char *caption) {
        auto *b = Named(new TButton(this), name);
        b->setText(QString::fromLatin1(caption));
        return b;
    };
    DeleteButton = button("DeleteButton", "&Delete");
    AddButton = button("AddButton", "&Add");
    EditButton = button("EditButton", "&Edit");
    OKButton = button("OKButton", "OK");
    OKButton->setDefault(true);
    NewCalcFieldButton = button("NewCalcFieldButton", "Add &Calculated");
    NewLookupButton = button("NewLookupButton", "Add &Lookup");
    auto *buttons = new QVBoxLayout;
    for (TButton *b : {EditButton, AddButton, DeleteButton, NewCalcFieldButton, NewLookupButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);
    resize(380, 320);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(DeleteButton, &QPushButton::clicked, this, &TFieldPropertyForm::DeleteClick);
    connect(AddButton, &QPushButton::clicked, this, &TFieldPropertyForm::AddClick);
    connect(EditButton, &QPushButton::clicked, this, &TFieldPropertyForm::EditClick);
    connect(NewCalcFieldButton, &QPushButton::clicked, this, &TFieldPropertyForm::NewCalcFieldClick);
    connect(NewLookupButton, &QPushButton::clicked, this, &TFieldPropertyForm::NewLookupClick);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        if (EditButton->isEnabled()) EditClick();
    });
    TranslateForm(this, QStringLiteral("FieldPropertyForm"));
}

void TFieldPropertyForm::Prepare(TVDMDesigner *Designer, const QList<TDataSource *> &Sources) {
    FDesigner = Designer;
    FSources = Sources;
}

void TFieldPropertyForm::SetDataSet(TDataSet *DataSet) {
    FDataSet = DataSet;
    setWindowTitle(DataSet->Name());
    ListBox1->Items()->Clear();
    for (const TField *field : DataSet->Fields())
        if (field->Visible()) ListBox1->Items()->Add(field->FieldName());
    if (ListBox1->count() > 0) ListBox1->SetItemIndex(0);
    UpdateButtons();
}

void TFieldPropertyForm::UpdateButtons() {
    if (!FDataSet) return;
    AddButton->setEnabled(ListBox1->count() < FDataSet->FieldCount());
    DeleteButton->setEnabled(ListBox1->count() > 0);
}

TField *TFieldPropertyForm::SelectedField() const {
    const QListWidgetItem *item = ListBox1->currentItem();
    return item && FDataSet ? FDataSet->FindField(item->text()) : nullptr;
}

void TFieldPropertyForm::DeleteClick() {
    TField *field = SelectedField();
    if (!field) return;
    if (IsExtraField(field)) {
        // Fields leave a dataset only while it is closed.
        const bool wasActive = FDataSet->Active();
        FDataSet->Close();
        delete field;
        try {
            if (wasActive) FDataSet->Open();
        } catch (const Exception &e) {
            Interaction().ShowError(e.Message());
        }
    } else {
        field->SetVisible(false);
    }
    ListBox1->Items()->Delete(ListBox1->currentRow());
    UpdateButtons();
}

void TFieldPropertyForm::AddClick() {
    TFieldSelectForm form(this);
    for (const TField *field : FDataSet->Fields())
        if (!field->Visible()) form.ListBox1->Items()->Add(field->FieldName());
    if (form.ListBox1->count() > 0) form.ListBox1->SetItemIndex(0);
    if (Interaction().ExecDialog(form) != QDialog::Accepted || !form.ListBox1->currentItem()) return;
    TField *field = FDataSet->FindField(form.ListBox1->currentItem()->text());
    if (!field) return;
    field->SetVisible(true);
    ListBox1->Items()->Add(field->FieldName());
    ListBox1->SetItemIndex(ListBox1->count() - 1);
    UpdateButtons();
}

void TFieldPropertyForm::EditClick() {
    TField *field = SelectedField();
    if (!field) return;
    if (field->Lookup()) {
        TLookupFieldEditForm form(this);
        form.Prepare(FDataSet, FDesigner, FSources);
        if (form.Edit(field)) SetDataSet(FDataSet);
        return;
    }
    if (field->Calculated()) {
        TCalcFieldEditForm form(this);
        form.ShowField(field);
        if (Interaction().ExecDialog(form) == QDialog::Accepted) form.WriteSettings(field);
        return;
    }
    TFieldEditForm form(this);
    form.ShowSettings(field);
    if (Interaction().ExecDialog(form) == QDialog::Accepted) form.WriteSettings(field);
}

void TFieldPropertyForm::NewCalcFieldClick() {
    TCalcFieldEditForm form(this);
    if (Interaction().ExecDialog(form) != QDialog::Accepted) return;
    const QString name = form.NameEdit->text().trimmed();
    // A new field never merges into one of the same name: an empty or taken name is refused.
    if (name.isEmpty() || FDataSet->FindField(name) || !form.ChosenClass()) {
        ShowDataError(FDesigner, QStringLiteral("Error creating calcfield"), name);
        return;
    }
    TFieldPropList saved;
    PutFieldsToList(FDataSet, saved);
    const bool wasActive = FDataSet->Active();
    FDataSet->Close();
    TField *field = nullptr;
    try {
        field =
            CreateCalcField(nullptr, FDataSet, name, quint16(form.ChosenPrecision()), form.FormatEdit->text(),
                            form.LabelEdit->text(), quint16(form.ChosenSize()), form.ChosenClass());
    } catch (const Exception &) {
        field = nullptr;
    }
    if (field) {
        form.WriteSettings(field);
        ListBox1->Items()->Add(name);
        ListBox1->SetItemIndex(ListBox1->count() - 1);
    } else {
        ShowDataError(FDesigner, QStringLiteral("Error creating calcfield"), name);
    }
    try {
        CreateFieldsFromList(FDataSet, saved);
        if (wasActive) FDataSet->Open();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
    }
    UpdateButtons();
}

void TFieldPropertyForm::NewLookupClick() {
    TLookupFieldEditForm form(this);
    form.Prepare(FDataSet, FDesigner, FSources);
    if (form.New()) SetDataSet(FDataSet);
}

void EditDataSetFields(TDataSet *DataSet, TVDMDesigner *Designer, bool Owned,
                       const QList<TDataSource *> &Sources, QWidget *Parent) {
    TFieldPropertyForm form(Parent);
    form.Prepare(Designer, Sources);
    form.SetDataSet(DataSet);
    form.NewCalcFieldButton->setVisible(Designer && Designer->AllowNewCalcFields());
    if (!Owned)
        for (TButton *b : {form.EditButton, form.AddButton, form.DeleteButton, form.NewCalcFieldButton,
                           form.NewLookupButton})
            b->setEnabled(false);
    Interaction().ExecDialog(form);
}
