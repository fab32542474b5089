#include "data/db_setup_form.h"
#include "data/named_controls.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "data/dataset_fields.h"
#include "data/db_open_form.h"
#include "data/field_property_form.h"
#include "data/query_edit_form.h"
#include "data/query_wizard_entry.h"
#include "data/table_properties_form.h"
#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "design/designer.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/form_translation.h"
#include "model/lookup_helpers.h"

namespace {

constexpr int NameColumns = 20;

// A database name that is a location rather than an alias: it has a path separator or a drive
// colon and the session does not know it as an alias (server aliases may contain ":").
bool IsLocation(const QString &DatabaseName) {
    if (Session().IsAlias(DatabaseName)) return false;
    return DatabaseName.contains(QLatin1Char('\\')) || DatabaseName.contains(QLatin1Char('/')) ||
           DatabaseName.contains(QLatin1Char(':'));
}

}  // namespace

TDBSetupForm::TDBSetupForm(TComponent *AOwner, QWidget *parent) : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("DBSetupForm"));
    setWindowTitle(QStringLiteral("Datasets"));
    setProperty("HelpContext", HelpContext);
    MainGroupBox = Named(new TGroupBox(this), "MainGroupBox");
    MainGroupBox->setTitle(QStringLiteral("Main report table"));
    ComboBox1 = Named(new TComboBox(this), "ComboBox1");
    ComboBox1->SetStyle(csDropDownList);
    AvailableGroupBox = Named(new TGroupBox(this), "AvailableGroupBox");
    AvailableGroupBox->setTitle(QStringLiteral("Available"));
    ListBox1 = Named(new TListBox(this), "ListBox1");
    // Padded columns line up only in a fixed-pitch font.
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto button = [this](const char *name, const char *caption) {
        auto *b = Named(new TButton(this), name);
        b->setText(QString::fromLatin1(caption));
        return b;
    };
    PropertiesButton = button("PropertiesButton", "Properties");
    FieldsButton = button("FieldsButton", "Fields");
    NewTableButton = button("NewTableButton", "New table");
    NewQueryButton = button("NewQueryButton", "New query");
    DeleteButton = button("DeleteButton", "Delete");
    OKButton = button("OKButton", "OK");
    OKButton->setDefault(true);

    auto *mainLayout = new QVBoxLayout(MainGroupBox);
    mainLayout->addWidget(ComboBox1);
    auto *availableLayout = new QVBoxLayout(AvailableGroupBox);
    availableLayout->addWidget(ListBox1);
    auto *commands = new QHBoxLayout;
    for (TButton *b : {PropertiesButton, FieldsButton, NewTableButton, NewQueryButton, DeleteButton})
        commands->addWidget(b);
    commands->addStretch();
    availableLayout->addLayout(commands);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MainGroupBox);
    layout->addWidget(AvailableGroupBox, 1);
    layout->addLayout(bottom);
    resize(640, 380);

    OpenForm = new TDBOpenForm(nullptr, this);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(PropertiesButton, &QPushButton::clicked, this, &TDBSetupForm::EditProperties);
    connect(FieldsButton, &QPushButton::clicked, this, &TDBSetupForm::EditFields);
    connect(NewTableButton, &QPushButton::clicked, this, &TDBSetupForm::NewTable);
    connect(NewQueryButton, &QPushButton::clicked, this, &TDBSetupForm::NewQuery);
    connect(DeleteButton, &QPushButton::clicked, this, &TDBSetupForm::DeleteSelected);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TDBSetupForm::EditProperties);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TDBSetupForm::UpdateButtons);
    TranslateForm(this, QStringLiteral("DBSetupForm"));
    UpdateButtons();
}

TDBSetupForm::~TDBSetupForm() = default;

void TDBSetupForm::reject() { accept(); }

void TDBSetupForm::Prepare(TVDMDesigner *Designer, TComponent *DatasetOwner) {
    FDesigner = Designer;
    FDatasetOwner = DatasetOwner;
    UpdateButtons();
}

QString TDBSetupForm::Message(const QString &Key) const { return DataMessage(FDesigner, Key); }

void TDBSetupForm::ShowErrorKey(const QString &Key, const QString &Param) const {
    ShowDataError(FDesigner, Key, Param);
}

const TStrings *TDBSetupForm::DisplayLabels() const {
    return FDesigner ? FDesigner->FieldDisplayLabels() : nullptr;
}

bool TDBSetupForm::Owns(const TDataSet *DataSet) const {
    return DataSet && FDatasetOwner && DataSet->Owner() == FDatasetOwner;
}

QString TDBSetupForm::GetListboxLine(const TDataSet *DataSet) {
    if (const auto *query = qobject_cast<const TQuery *>(DataSet))
        return query->Name().leftJustified(NameColumns) + QStringLiteral("   SQL Query ");
    const auto *table = qobject_cast<const TTable *>(DataSet);
    if (!table) return QStringLiteral("ERROR: INVALID DATASET!");
    QString location = table->DatabaseName();
    if (IsLocation(location)) {
        const QChar separator = location.contains(QLatin1Char('\\')) && !location.contains(QLatin1Char('/'))
                                    ? QLatin1Char('\\')
                                    : QLatin1Char('/');
        if (!location.endsWith(QLatin1Char('\\')) && !location.endsWith(QLatin1Char('/')))
            location += separator;
    } else {
        location = QLatin1Char(':') + location + QLatin1Char(':');
    }
    return table->Name().leftJustified(NameColumns, QLatin1Char(' '), true) + QStringLiteral("   ") +
           location + table->TableName();
}

void TDBSetupForm::AddDataSource(TDataSource *Source) {
    FDataSources << Source;
    ListBox1->Items()->Add(GetListboxLine(Source->DataSet()));
    ComboBox1->Items()->Add(Source->DataSet() ? Source->DataSet()->Name() : QString());
    UpdateButtons();
}

TDataSet *TDBSetupForm::MainDataSet() const {
    const int item = ComboBox1->currentIndex();
    return item > 0 && item <= FDataSources.size() ? FDataSources.at(item - 1)->DataSet() : nullptr;
}

void TDBSetupForm::ChooseFirstAsMain() {
    if (ComboBox1->count() == 2 && ComboBox1->currentIndex() == 0) ComboBox1->SetItemIndex(1);
}

void TDBSetupForm::NameNew(TComponent *Component, const QString &Name, const QString &Base) {
    try {
        Component->SetName(Name);
    } catch (const EComponentError &) {
        Component->SetName(FindUniqueComponentName(FDatasetOwner, Base, false));
    }
}

void TDBSetupForm::DiscardNew(TDataSet *DataSet, TDataSource *Source) {
    delete DataSet;
    delete Source;
}

void TDBSetupForm::UpdateButtons() {
    const int row = ListBox1->currentRow();
    const bool selected = row >= 0 && row < FDataSources.size();
    const TDataSet *set = selected ? FDataSources.at(row)->DataSet() : nullptr;
    PropertiesButton->setEnabled(selected);
    FieldsButton->setEnabled(selected);
    DeleteButton->setEnabled(selected && FDataSources.at(row)->Owner() == FDatasetOwner && Owns(set));
    NewTableButton->setEnabled(FDatasetOwner != nullptr);
    NewQueryButton->setEnabled(FDatasetOwner != nullptr);
}

void TDBSetupForm::NewTable() {
    if (!FDatasetOwner) return;
    if (FDesigner && FDesigner->QueriesOnlyInDBSetup()) {
        auto *query = new TWizQuery(FDatasetOwner);
        query->SetName(FindUniqueComponentName(FDatasetOwner, QStringLiteral("Query"), false));
        query->SetReadOnlyConnection(true);
        if (!RunQueryWizard(query, FDesigner)) {
            delete query;
            return;
        }
        auto *source = new TDataSource(FDatasetOwner);
        AddNewWizardQuery(source, query);
        return;
    }
    OpenForm->Prepare(FDesigner ? FDesigner->AvailableTableNames() : nullptr);
    if (Interaction().ExecDialog(*OpenForm) != QDialog::Accepted) return;
    const QString tableName = OpenForm->TableName();
    auto *source = new TDataSource(FDatasetOwner);
    auto *table = new TTable(FDatasetOwner);
    source->SetDataSet(table);
    table->SetReadOnly(true);
    table->SetReadOnlyConnection(true);
    table->SetDatabaseName(OpenForm->DatabaseName());
    table->SetTableName(tableName);
    try {
        table->Open();
    } catch (const Exception &) {
        ShowErrorKey(QStringLiteral("Error opening database"), tableName);
        DiscardNew(table, source);
        return;
    }
    NameNew(table,
            tableName.section(QLatin1Char('.'), 0, 0) + QLatin1Char('_') +
                Message(QStringLiteral("DefaultTableName")),
            QStringLiteral("Table"));
    source->SetName(FindUniqueComponentName(FDatasetOwner, QStringLiteral("DataSource"), false));
    CreateFields(table, DisplayLabels());
    AddDataSource(source);
    ChooseFirstAsMain();
    ListBox1->SetItemIndex(ListBox1->count() - 1);
}

void TDBSetupForm::AddNewWizardQuery(TDataSource *Source, TWizQuery *Query) {
    if (Query->Name().isEmpty())
        Query->SetName(FindUniqueComponentName(FDatasetOwner, QStringLiteral("Query"), false));
    Source->SetDataSet(Query);
    if (Source->Name().isEmpty())
        Source->SetName(FindUniqueComponentName(FDatasetOwner, QStringLiteral("DataSource"), false));
    AddDataSource(Source);
    ChooseFirstAsMain();
    ListBox1->SetItemIndex(ListBox1->count() - 1);
}

void TDBSetupForm::NewQuery() {
    if (!FDatasetOwner) return;
    auto *source = new TDataSource(FDatasetOwner);
    auto *query = new TQuery(FDatasetOwner);
    source->SetDataSet(query);
    query->SetReadOnlyConnection(true);
    NameNew(query, QStringLiteral("Query") + QString::number(FDataSources.size()), QStringLiteral("Query"));
    source->SetName(FindUniqueComponentName(FDatasetOwner, QStringLiteral("DataSource"), false));

    if (FDesigner && FDesigner->OnEditQuery().Assigned()) {
        bool cancel = false;
        FDesigner->OnEditQuery().Invoke<QObject *, bool &>(static_cast<QObject *>(query), cancel);
        if (cancel) {
            DiscardNew(query, source);
            return;
        }
        try {
            query->Open();
            CreateFields(query, DisplayLabels());
        } catch (const Exception &e) {
            Interaction().ShowError(e.Message());
            ShowErrorKey(QStringLiteral("Error activating query"));
        }
        AddDataSource(source);
        ChooseFirstAsMain();
        ListBox1->SetItemIndex(ListBox1->count() - 1);
        return;
    }

    TDBSetupForm3 editor(nullptr, this);
    editor.Prepare(query, FDesigner, FDataSources, true, true);
    const int result = Interaction().ExecDialog(editor);
    if (result == mrYes) {
        // The wizard takes over the name and database typed so far.
        const QString name = editor.NameEdit->text();
        query->SetName(QString());
        auto *wizard = new TWizQuery(FDatasetOwner);
        wizard->SetReadOnlyConnection(true);
        try {
            wizard->SetName(name);
        } catch (const EComponentError &) {
        }  // left without a name, it gets a unique one below
        wizard->SetDatabaseName(editor.DatabaseComboBox->currentText());
        if (!RunQueryWizard(wizard, FDesigner)) {
            delete wizard;
            DiscardNew(query, source);
            return;
        }
        delete query;
        AddNewWizardQuery(source, wizard);
        return;
    }
    if (result != QDialog::Accepted) {
        DiscardNew(query, source);
        return;
    }
    CreateFields(query, DisplayLabels());
    AddDataSource(source);
    ChooseFirstAsMain();
    ListBox1->SetItemIndex(ListBox1->count() - 1);
}

void TDBSetupForm::DeleteSelected() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= FDataSources.size()) return;
    if (ComboBox1->currentIndex() == row + 1) {
        Interaction().ShowError(Message(QStringLiteral("ErrorDeleteMainDatabase")));
        return;
    }
    if (Interaction().Confirm(Message(QStringLiteral("DeleteDatabaseConfirmation")),
                              TConfirmButtons::YesCancel) != mrYes)
        return;
    TDataSource *source = FDataSources.at(row);
    if (source->Owner() != FDatasetOwner || !Owns(source->DataSet())) return;
    const int main = ComboBox1->currentIndex();
    delete source->DataSet();
    delete source;
    FDataSources.removeAt(row);
    ComboBox1->Items()->Delete(row + 1);
    ListBox1->Items()->Delete(row);
    // The main choice stays on its dataset, which moved up when it came after the deleted one.
    ComboBox1->SetItemIndex(main > row + 1 ? main - 1 : main);
    UpdateButtons();
}

void TDBSetupForm::EditProperties() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= FDataSources.size()) return;
    TDataSet *set = FDataSources.at(row)->DataSet();
    if (auto *wizard = qobject_cast<TWizQuery *>(set)) {
        if (Owns(wizard)) RunQueryWizard(wizard, FDesigner);
    } else if (auto *query = qobject_cast<TQuery *>(set)) {
        EditQuery(row, query);
    } else if (auto *table = qobject_cast<TTable *>(set)) {
        EditTable(row, table);
    }
    RefreshLine(row);
}

void TDBSetupForm::EditQuery(int Row, TQuery *Query) {
    if (FDesigner && FDesigner->OnEditQuery().Assigned()) {
        if (!Owns(Query)) return;
        bool cancel = false;
        FDesigner->OnEditQuery().Invoke<QObject *, bool &>(static_cast<QObject *>(Query), cancel);
        return;
    }
    TDBSetupForm3 editor(nullptr, this);
    editor.setWindowTitle(ListBox1->item(Row)->text());
    editor.Prepare(Query, FDesigner, FDataSources, Owns(Query), false);
    if (Interaction().ExecDialog(editor) == QDialog::Accepted) CreateFields(Query, DisplayLabels());
}

void TDBSetupForm::EditTable(int Row, TTable *Table) {
    TDBSetupForm2 form(nullptr, this);
    form.setWindowTitle(ListBox1->item(Row)->text());
    form.Prepare(Table, FDesigner, FDataSources, Owns(Table));
    Interaction().ExecDialog(form);
}

void TDBSetupForm::RefreshLine(int Row) {
    const TDataSet *set = FDataSources.at(Row)->DataSet();
    const int main = ComboBox1->currentIndex();
    ListBox1->Items()->Put(Row, GetListboxLine(set));
    ComboBox1->Items()->Put(Row + 1, set ? set->Name() : QString());
    ComboBox1->SetItemIndex(main);
    ListBox1->SetItemIndex(Row);
}

void TDBSetupForm::EditFields() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= FDataSources.size() || !FDataSources.at(row)->DataSet()) return;
    TDataSet *set = FDataSources.at(row)->DataSet();
    EditDataSetFields(set, FDesigner, Owns(set), FDataSources, this);
}
