#include "data/table_properties_form.h"
#include "data/named_controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "data/dataset_fields.h"
#include "data/linked_fields_form.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "design/designer.h"
#include "host/button_controls.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/form_translation.h"

namespace {

TDataSource *MasterOf(const TDataSet *DataSet) {
    if (const auto *table = qobject_cast<const TTable *>(DataSet)) return table->MasterSource();
    if (const auto *query = qobject_cast<const TQuery *>(DataSet)) return query->DataSource();
    return nullptr;
}

}  // namespace

bool FollowsDataSet(const TDataSource *Candidate, const TDataSet *DataSet) {
    // Walks the candidate's chain of masters; the step bound stops at a circle already there.
    const TDataSet *current = Candidate ? Candidate->DataSet() : nullptr;
    for (int steps = 0; current && steps < 1000; ++steps) {
        if (current == DataSet) return true;
        const TDataSource *master = MasterOf(current);
        current = master ? master->DataSet() : nullptr;
    }
    return false;
}

TDBSetupForm2::TDBSetupForm2(TComponent *AOwner, QWidget *parent) : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("DBSetupForm2"));
    setWindowTitle(QStringLiteral("Table"));
    NameEdit = Named(new TEdit(this), "NameEdit");
    IndexComboBox = Named(new TComboBox(this), "IndexComboBox");
    IndexComboBox->SetStyle(csDropDownList);
    MasterComboBox = Named(new TComboBox(this), "MasterComboBox");
    MasterComboBox->SetStyle(csDropDownList);
    LinkedFieldsEdit = Named(new TEdit(this), "LinkedFieldsEdit");
    LinkButton = Named(new TButton(this), "LinkButton");
    LinkButton->setText(QStringLiteral("···"));
    LinkButton->setMaximumWidth(40);
    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(BuddyLabel(this, "NameLabel", "&Name:", NameEdit), 0, 0);
    grid->addWidget(NameEdit, 0, 1, 1, 2);
    grid->addWidget(BuddyLabel(this, "IndexLabel", "&Index:", IndexComboBox), 1, 0);
    grid->addWidget(IndexComboBox, 1, 1, 1, 2);
    grid->addWidget(BuddyLabel(this, "MasterLabel", "&Master:", MasterComboBox), 2, 0);
    grid->addWidget(MasterComboBox, 2, 1, 1, 2);
    grid->addWidget(BuddyLabel(this, "LinkedFieldsLabel", "&Linked fields:", LinkedFieldsEdit), 3, 0);
    grid->addWidget(LinkedFieldsEdit, 3, 1);
    grid->addWidget(LinkButton, 3, 2);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(420, 200);

    connect(OKButton, &QPushButton::clicked, this, [this] {
        if (Apply()) accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(LinkButton, &QPushButton::clicked, this, &TDBSetupForm2::EditLinkedFields);
    connect(MasterComboBox, &QComboBox::currentIndexChanged, this, [this] {
        FKeepUnlistedMaster = false;
        UpdateLinkButton();
    });
    connect(IndexComboBox, &QComboBox::currentIndexChanged, this, &TDBSetupForm2::UpdateLinkButton);
    TranslateForm(this, QStringLiteral("DBSetupForm2"));
}

void TDBSetupForm2::Prepare(TTable *Table, TVDMDesigner *Designer, const QList<TDataSource *> &Sources,
                            bool Owned) {
    FTable = Table;
    FDesigner = Designer;
    NameEdit->setText(Table->Name());

    IndexComboBox->Items()->Clear();
    IndexComboBox->Items()->Add(DataMessage(Designer, QStringLiteral("PRIMARY INDEX")));
    QStringList indexNames;
    try {
        Table->IndexDefs().Clear();
        Table->UpdateIndexDefs();
        indexNames = Table->IndexNames();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
    }
    for (const QString &name : std::as_const(indexNames)) IndexComboBox->Items()->Add(name);
    const int index = indexNames.indexOf(Table->IndexName());
    IndexComboBox->SetItemIndex(Table->IndexName().isEmpty() || index < 0 ? 0 : index + 1);

    MasterComboBox->Items()->Clear();
    MasterComboBox->Items()->Add(DataMessage(Designer, QStringLiteral("None")));
    FMasters.clear();
    for (TDataSource *source : Sources) {
        if (!source->DataSet() || source->DataSet() == Table || FollowsDataSet(source, Table)) continue;
        FMasters << source;
        MasterComboBox->Items()->Add(source->DataSet()->Name());
    }
    FInitialMaster = int(FMasters.indexOf(Table->MasterSource())) + 1;
    MasterComboBox->SetItemIndex(FInitialMaster);
    // A master the list does not offer stays unless the user chooses another.
    FKeepUnlistedMaster = Table->MasterSource() && FInitialMaster == 0;

    const TDataSource *master = Table->MasterSource();
    QString linked;
    if (master && master->DataSet()) {
        try {
            linked = ConvertToDisplayLabels(master->DataSet(), Table->MasterFields());
        } catch (const Exception &) {
            linked = Table->MasterFields();  // fields the master no longer has are shown as stored
        }
    }
    LinkedFieldsEdit->setText(linked);

    for (QWidget *w : {static_cast<QWidget *>(NameEdit), static_cast<QWidget *>(IndexComboBox),
                       static_cast<QWidget *>(MasterComboBox), static_cast<QWidget *>(LinkedFieldsEdit),
                       static_cast<QWidget *>(LinkButton)})
        w->setEnabled(Owned);
    OKButton->setEnabled(Owned);
    UpdateLinkButton();
}

TDataSource *TDBSetupForm2::ChosenMaster() const {
    const int item = MasterComboBox->currentIndex();
    return item > 0 && item <= FMasters.size() ? FMasters.at(item - 1) : nullptr;
}

void TDBSetupForm2::UpdateLinkButton() {
    if (FTable) LinkButton->setEnabled(NameEdit->isEnabled() && ChosenMaster() != nullptr);
}

void TDBSetupForm2::EditLinkedFields() {
    TDataSource *master = ChosenMaster();
    if (!master || !master->DataSet()) return;
    const int item = IndexComboBox->currentIndex();
    const QString indexName = item > 0 ? IndexComboBox->itemText(item) : QString();
    const TIndexDef *index = FTable->IndexDefs().Find(indexName);
    QString detailFields = index ? index->Fields : QString();
    try {
        if (!FTable->FieldDefs().Count()) FTable->UpdateFieldDefs();
        // Labels come from the table's fields when it has them, else the names stand.
        if (FTable->FieldCount()) detailFields = ConvertToDisplayLabels(FTable, detailFields);
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
        return;
    }
    TDBSetupFieldlistForm editor(nullptr, this);
    editor.setWindowTitle(master->DataSet()->Name() + QStringLiteral(" -> ") + FTable->Name());
    editor.Prepare(master->DataSet(), detailFields, LinkedFieldsEdit->text());
    if (Interaction().ExecDialog(editor) == QDialog::Accepted) LinkedFieldsEdit->setText(editor.Result());
}

bool TDBSetupForm2::Apply() {
    const QString oldName = FTable->Name();
    try {
        FTable->SetName(NameEdit->text());
    } catch (const EComponentError &) {
        ShowDataError(FDesigner, QStringLiteral("RenameError"), NameEdit->text());
        return false;
    }
    const int item = IndexComboBox->currentIndex();
    TDataSource *master = FKeepUnlistedMaster ? FTable->MasterSource() : ChosenMaster();
    try {
        FTable->SetIndexName(item > 0 ? IndexComboBox->itemText(item) : QString());
        if (FKeepUnlistedMaster) return true;
        FTable->SetMasterSource(nullptr);
        FTable->SetMasterFields(QString());
        FTable->SetMasterSource(master);
        if (master && master->DataSet())
            FTable->SetMasterFields(ConvertToFieldNames(master->DataSet(), LinkedFieldsEdit->text()));
    } catch (const Exception &e) {
        FTable->SetName(oldName);
        Interaction().ShowError(e.Message());
        return false;
    }
    return true;
}
