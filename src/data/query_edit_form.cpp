#include "data/query_edit_form.h"
#include "data/named_controls.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "data/parameter_form.h"
#include "data/sql_highlighter.h"
#include "data/table_properties_form.h"
#include "dblib/db_error.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "design/designer.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"
#include "model/form_translation.h"

TDBSetupForm3::TDBSetupForm3(TComponent *AOwner, QWidget *parent) : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("DBSetupForm3"));
    setWindowTitle(QStringLiteral("Query"));
    NameEdit = Named(new TEdit(this), "NameEdit");
    DatabaseComboBox = Named(new TComboBox(this), "DatabaseComboBox");
    DatabaseComboBox->SetStyle(csDropDown);
    SQLMemo = Named(new TMemo(this), "SQLMemo");
    SQLMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    SQLMemo->SetWordWrap(false);
    new TSqlHighlighter(SQLMemo->document());
    MasterComboBox = Named(new TComboBox(this), "MasterComboBox");
    MasterComboBox->SetStyle(csDropDownList);
    ParametersButton = Named(new TButton(this), "ParametersButton");
    ParametersButton->setText(QStringLiteral("Parameters..."));
    RunButton = Named(new TButton(this), "RunButton");
    RunButton->setText(QStringLiteral("&Run"));
    PreviewTable = new QTableWidget(this);
    PreviewTable->setObjectName(QStringLiteral("PreviewTable"));
    PreviewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PreviewTable->verticalHeader()->hide();
    PreviewTable->hide();
    WizardGroupBox = Named(new TGroupBox(this), "WizardGroupBox");
    WizardButton = Named(new TButton(this), "WizardButton");
    WizardButton->setText(QStringLiteral("Query Wizard..."));
    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));

    auto *wizardLayout = new QVBoxLayout(WizardGroupBox);
    wizardLayout->addWidget(WizardButton);
    auto *top = new QGridLayout;
    top->addWidget(BuddyLabel(this, "NameLabel", "&Name:", NameEdit), 0, 0);
    top->addWidget(NameEdit, 0, 1);
    top->addWidget(BuddyLabel(this, "DatabaseLabel", "&Database/Path:", DatabaseComboBox), 1, 0);
    top->addWidget(DatabaseComboBox, 1, 1);
    top->addWidget(WizardGroupBox, 0, 2, 2, 1);
    top->setColumnStretch(1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(BuddyLabel(this, "MasterLabel", "&Master:", MasterComboBox));
    bottom->addWidget(MasterComboBox, 1);
    bottom->addWidget(ParametersButton);
    bottom->addWidget(RunButton);
    bottom->addStretch();
    bottom->addWidget(OKButton);
    bottom->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BuddyLabel(this, "SQLLabel", "&SQL statement", SQLMemo));
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(SQLMemo);
    splitter->addWidget(PreviewTable);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    resize(620, 420);

    connect(OKButton, &QPushButton::clicked, this, [this] {
        if (Apply()) accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(WizardButton, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(ParametersButton, &QPushButton::clicked, this, &TDBSetupForm3::EditParameters);
    connect(RunButton, &QPushButton::clicked, this, &TDBSetupForm3::RunPreview);
    connect(MasterComboBox, &QComboBox::currentIndexChanged, this, [this] { FKeepUnlistedMaster = false; });
    TranslateForm(this, QStringLiteral("DBSetupForm3"));
}

void TDBSetupForm3::Prepare(TQuery *Query, TVDMDesigner *Designer, const QList<TDataSource *> &Sources,
                            bool Owned, bool NewQuery) {
    FQuery = Query;
    FDesigner = Designer;
    NameEdit->setText(Query->Name());
    DatabaseComboBox->Items()->Clear();
    Session().GetDatabaseNames(*DatabaseComboBox->Items());
    DatabaseComboBox->SetText(Query->DatabaseName());
    SQLMemo->Lines()->Assign(Query->SQL());
    FParams = Query->Params();

    MasterComboBox->Items()->Clear();
    MasterComboBox->Items()->Add(DataMessage(Designer, QStringLiteral("None")));
    FMasters.clear();
    for (TDataSource *source : Sources) {
        if (!source->DataSet() || source->DataSet() == Query || FollowsDataSet(source, Query)) continue;
        FMasters << source;
        MasterComboBox->Items()->Add(source->DataSet()->Name());
    }
    MasterComboBox->SetItemIndex(int(FMasters.indexOf(Query->DataSource())) + 1);
    FKeepUnlistedMaster = Query->DataSource() && !FMasters.contains(Query->DataSource());

    WizardGroupBox->setVisible(NewQuery);
    for (QWidget *w : {static_cast<QWidget *>(NameEdit), static_cast<QWidget *>(DatabaseComboBox),
                       static_cast<QWidget *>(SQLMemo), static_cast<QWidget *>(ParametersButton),
                       static_cast<QWidget *>(MasterComboBox), static_cast<QWidget *>(OKButton)})
        w->setEnabled(Owned);
}

void TDBSetupForm3::ReadParameters() {
    QStringList names;
    TParams::ParseSQL(SQLMemo->toPlainText(), names);
    TParams params;
    for (const QString &name : std::as_const(names)) {
        if (params.FindParam(name)) continue;
        TParam &param = params.CreateParam(ftUnknown, name, ptInput);
        if (const TParam *known = FParams.FindParam(name)) param.Assign(*known);
        if (param.DataType() == ftUnknown) param.SetDataType(ftString);
    }
    FParams = params;
}

void TDBSetupForm3::EditParameters() {
    try {
        ReadParameters();
    } catch (const EDatabaseError &e) {
        Interaction().ShowError(e.Message());
        return;
    }
    if (FParams.Count() == 0) {
        ShowDataError(FDesigner, QStringLiteral("No SQL parameters"));
        return;
    }
    TDBSetupForm4 form(nullptr, this);
    form.Prepare(FParams, FDesigner);
    if (Interaction().ExecDialog(form) == QDialog::Accepted) FParams = form.Params();
}

void TDBSetupForm3::RunPreview() {
    TQuery preview;
    preview.SetReadOnlyConnection(true);
    preview.SetUniDirectional(true);
    try {
        ReadParameters();
        const int item = MasterComboBox->currentIndex();
        if (FKeepUnlistedMaster)
            preview.SetDataSource(FQuery->DataSource());
        else if (item > 0 && item <= FMasters.size())
            preview.SetDataSource(FMasters.at(item - 1));
        preview.SetDatabaseName(DatabaseComboBox->currentText());
        preview.SQL()->Assign(SQLMemo->Lines());
        preview.Params().AssignValues(FParams);
        preview.Open();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
        return;
    }
    PreviewTable->clear();
    PreviewTable->setRowCount(0);
    PreviewTable->setColumnCount(preview.FieldCount());
    QStringList headers;
    for (const TField *field : preview.Fields()) headers << field->FieldName();
    PreviewTable->setHorizontalHeaderLabels(headers);
    for (int row = 0; !preview.Eof() && row < PreviewRows; ++row, preview.Next()) {
        PreviewTable->insertRow(row);
        for (int column = 0; column < preview.FieldCount(); ++column)
            PreviewTable->setItem(row, column, new QTableWidgetItem(preview.Field(column)->DisplayText()));
    }
    PreviewTable->show();
}

bool TDBSetupForm3::Apply() {
    if (NameEdit->text() != FQuery->Name()) {
        const QString oldName = FQuery->Name();
        try {
            FQuery->SetName(NameEdit->text());
        } catch (const EComponentError &) {
            FQuery->SetName(oldName);
            ShowDataError(FDesigner, QStringLiteral("RenameError"), NameEdit->text());
            return false;
        }
    }
    try {
        ReadParameters();
        FQuery->Close();
        if (!FKeepUnlistedMaster) {
            const int item = MasterComboBox->currentIndex();
            FQuery->SetDataSource(item > 0 && item <= FMasters.size() ? FMasters.at(item - 1) : nullptr);
        }
        FQuery->SetDatabaseName(DatabaseComboBox->currentText());
        FQuery->SQL()->Assign(SQLMemo->Lines());
        FQuery->Params().AssignValues(FParams);
        for (int i = 0; i < FQuery->ParamCount(); ++i)
            if (FQuery->Params()[i].DataType() == ftUnknown) FQuery->Params()[i].SetDataType(ftString);
        FQuery->Open();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
        ShowDataError(FDesigner, QStringLiteral("Error activating query"));
        return false;
    }
    return true;
}
