#include "dialogs/report_expert_form.h"
#include "dialogs/report_expert_layout.h"
#include "dialogs/report_expert_sample.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "data/dataset_fields.h"
#include "data/db_open_form.h"
#include "data/parameter_form.h"
#include "data/query_wizard.h"
#include "dblib/data_source.h"
#include "dblib/db_error.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "design/designer.h"
#include "env/enhanced_listbox.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/font.h"
#include "host/format_settings.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"
#include "model/datasource_lookup.h"
#include "model/design_report.h"
#include "model/form_translation.h"
#include "model/lookup_helpers.h"
#include "reportlib/rep_page_sink.h"

namespace {

template <class T>
T *Named(T *control, const char *name) {
    control->SetName(QString::fromLatin1(name));
    return control;
}

TButton *NamedButton(TComponent *Owner, const char *Name, const QString &Caption) {
    auto *button = Named(new TButton(Owner), Name);
    button->setText(Caption);
    return button;
}

TLabel *TextLabel(TComponent *Owner, const char *Name, const QString &Text) {
    auto *label = Named(new TLabel(Owner), Name);
    label->setText(Text);
    label->setWordWrap(true);
    return label;
}

// Paints the first page of a run into an image and stops the run when a second page begins.
class TFirstPageFilter : public TRepExportFilter {
public:
    struct TDone {};

    double Resolution() const override { return 48; }
    void BeginDocument(const TRepPaper &paper, const QString &) override {
        const QSizeF inches = paper.MM / 25.4;
        FPage = QImage(qMax(1, qRound(inches.width() * Resolution())), qMax(1, qRound(inches.height() * Resolution())),
                       QImage::Format_RGB32);
        FPage.fill(Qt::white);
    }
    QPainter *BeginPage(int pageNumber) override {
        if (pageNumber > 1) throw TDone{};
        FPainter.begin(&FPage);
        FPainter.setRenderHint(QPainter::Antialiasing);
        FPainter.setRenderHint(QPainter::TextAntialiasing);
        return &FPainter;
    }
    void EndPage() override { FPainter.end(); }
    void EndDocument() override {}
    void AbortDocument() override {
        if (FPainter.isActive()) FPainter.end();
    }
    const QImage &Page() const { return FPage; }

private:
    QImage FPage;
    QPainter FPainter;
};

}  // namespace

TVendamoExpertForm::TVendamoExpertForm(TVDMDesigner *Designer, QWidget *parent)
    : QDialog(parent), TComponent(nullptr), FDesigner(Designer), FLabelFont(new TFont(this)), FDataFont(new TFont(this)) {
    SetName(QStringLiteral("VendamoExpertForm"));
    setWindowTitle(QStringLiteral("New report definition"));
    FLabelFont->SetName(QStringLiteral("Arial"));
    FLabelFont->SetSize(10);
    FLabelFont->SetStyle(fsBold);
    FDataFont->SetName(QStringLiteral("Arial"));
    FDataFont->SetSize(10);
    FDataFont->SetStyle(0);

    Notebook = new QStackedWidget(this);
    Notebook->setObjectName(QStringLiteral("Notebook"));
    Notebook->addWidget(BuildReportTypePage());
    Notebook->addWidget(BuildDatasetPage());
    Notebook->addWidget(BuildIndexPage());
    Notebook->addWidget(BuildFieldsPage());
    Notebook->addWidget(BuildBandsPage());
    Notebook->addWidget(BuildOptionsPage());
    Notebook->addWidget(BuildFontsPage());
    Notebook->addWidget(BuildFinishPage());

    BackButton = NamedButton(this, "BackButton", QStringLiteral("<< Back"));
    NextButton = NamedButton(this, "NextButton", QStringLiteral("Next >>"));
    NextButton->setDefault(true);
    FinishButton = NamedButton(this, "FinishButton", QStringLiteral("Finish"));
    CancelButton = NamedButton(this, "CancelButton", QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (TButton *b : {BackButton, NextButton, FinishButton, CancelButton}) buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Notebook, 1);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(BackButton, &QPushButton::clicked, this, &TVendamoExpertForm::PreviousPage);
    connect(NextButton, &QPushButton::clicked, this, &TVendamoExpertForm::NextPage);
    connect(FinishButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    TranslateForm(this, QStringLiteral("VendamoExpertForm"));
    FBuilt = true;
    ShowPage(epReportType);
}

TVendamoExpertForm::~TVendamoExpertForm() = default;

QString TVendamoExpertForm::Message(const QString &Key) const { return DataMessage(FDesigner, Key); }

// ---- pages ------------------------------------------------------------------------------

QWidget *TVendamoExpertForm::BuildReportTypePage() {
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    const auto choice = [&](const char *name, const char *caption, const char *note, int row) {
        auto *button = Named(new TRadioButton(this), name);
        button->setText(QString::fromLatin1(caption));
        layout->addWidget(button, row, 0);
        layout->addWidget(TextLabel(this, (QByteArray(name) + "Note").constData(), QString::fromLatin1(note)), row, 1);
        connect(button, &QAbstractButton::toggled, this, &TVendamoExpertForm::UpdateButtons);
        return button;
    };
    ListRadioButton = choice("ListRadioButton", "List style", "(all records listed in columns)", 0);
    FormRadioButton = choice("FormRadioButton", "Form style", "(one page for each record)", 1);
    SingleFormRadioButton = choice("SingleFormRadioButton", "Single form", "(only one record on one page)", 2);
    TabularRadioButton = choice("TabularRadioButton", "Tabular", "(each datafield on a separate line)", 3);
    BlankRadioButton = choice("BlankRadioButton", "New blank report", "", 4);
    BlankRadioButton->setChecked(true);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget *TVendamoExpertForm::BuildDatasetPage() {
    auto *page = new QWidget;
    DatabaseComboBox = Named(new TComboBox(this), "DatabaseComboBox");
    DatabaseComboBox->SetStyle(csDropDown);
    TStringList names;
    Session().GetDatabaseNames(names);
    DatabaseComboBox->Items()->AddStrings(names);
    DatabaseComboBox->SetText(QString());
    DatasetRadioGroup = Named(new TRadioGroup(this), "DatasetRadioGroup");
    DatasetRadioGroup->setTitle(QStringLiteral("Main dataset for report"));
    DatasetRadioGroup->Items()->SetText(QStringLiteral("Table\nQuery"));
    DatasetRadioGroup->SetItemIndex(0);
    DatasetRadioGroup->setEnabled(!FDesigner || FDesigner->AllowSQLEdit());

    DatasetNotebook = new QStackedWidget(page);
    DatasetNotebook->setObjectName(QStringLiteral("DatasetNotebook"));
    auto *tablePage = new QWidget;
    TableNameComboBox = Named(new TComboBox(this), "TableNameComboBox");
    TableNameComboBox->SetStyle(csDropDown);
    TableSearchButton = NamedButton(this, "TableSearchButton", QStringLiteral("Search..."));
    auto *tableLayout = new QGridLayout(tablePage);
    tableLayout->addWidget(TableNameComboBox, 0, 0);
    tableLayout->addWidget(TableSearchButton, 0, 1);
    tableLayout->setColumnStretch(0, 1);
    tableLayout->setRowStretch(1, 1);
    auto *queryPage = new QWidget;
    SQLMemo = Named(new TMemo(this), "SQLMemo");
    CustomSQLButton = NamedButton(this, "CustomSQLButton", QStringLiteral("SQL"));
    CustomSQLButton->setVisible(FDesigner && FDesigner->OnEditQuery().Assigned());
    auto *queryLayout = new QHBoxLayout(queryPage);
    queryLayout->addWidget(SQLMemo, 1);
    queryLayout->addWidget(CustomSQLButton, 0, Qt::AlignTop);
    DatasetNotebook->addWidget(tablePage);
    DatasetNotebook->addWidget(queryPage);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(TextLabel(this, "DatabaseLabel", QStringLiteral("Database:")));
    layout->addWidget(DatabaseComboBox);
    layout->addWidget(DatasetRadioGroup);
    layout->addWidget(DatasetNotebook, 1);

    const auto changed = [this] { FDatasetChanged = true; };
    const auto listTables = [this, changed] {
        changed();
        const QString keep = TableNameComboBox->currentText();
        QStringList tables;
        const QString database = DatabaseComboBox->currentText().trimmed();
        if (Session().IsAlias(database) || QFileInfo(database).isFile()) {
            try {
                tables = Session().TableNames(database, QString(), true, false);
            } catch (const EDatabaseError &) {
                // A database that does not answer lists nothing; opening will say why.
            }
        } else if (!database.isEmpty() && QDir(database).exists()) {
            QDir dir(database);
            dir.setNameFilters({QStringLiteral("*.DB*")});
            dir.setFilter(QDir::Files);
            tables = dir.entryList();
        }
        if (FDesigner && FDesigner->AvailableTableNames()->Count() > 0)
            tables.erase(std::remove_if(tables.begin(), tables.end(),
                                        [this](const QString &t) {
                                            return !FindStringInStringList(FDesigner->AvailableTableNames(), t);
                                        }),
                         tables.end());
        TableNameComboBox->Items()->SetStringList(tables);
        TableNameComboBox->SetText(keep);
    };
    connect(DatabaseComboBox, &QComboBox::currentTextChanged, this, listTables);
    connect(TableNameComboBox, &QComboBox::currentTextChanged, this, changed);
    connect(SQLMemo, &QPlainTextEdit::textChanged, this, changed);
    DatasetRadioGroup->SetOnClick(TMethod::Make(this, &TVendamoExpertForm::DatasetKindClick));
    connect(TableSearchButton, &QPushButton::clicked, this, [this] {
        TDBOpenForm open(nullptr, this);
        open.Prepare(FDesigner ? FDesigner->AvailableTableNames() : nullptr);
        if (Interaction().ExecDialog(open) != QDialog::Accepted) return;
        DatabaseComboBox->SetText(open.DatabaseName());
        TableNameComboBox->SetText(open.TableName());
        FDatasetChanged = true;
    });
    connect(CustomSQLButton, &QPushButton::clicked, this, &TVendamoExpertForm::EditCustomSQL);
    return page;
}

QWidget *TVendamoExpertForm::BuildIndexPage() {
    auto *page = new QWidget;
    IndexGroupBox = Named(new TGroupBox(this), "IndexGroupBox");
    TableIndexComboBox = Named(new TComboBox(this), "TableIndexComboBox");
    TableIndexComboBox->SetStyle(csDropDownList);
    auto *indexLayout = new QVBoxLayout(IndexGroupBox);
    indexLayout->addWidget(
        TextLabel(this, "IndexLabel", QStringLiteral("Please select the index used for sorting the table:")));
    indexLayout->addWidget(TableIndexComboBox);
    indexLayout->addStretch();
    WizardGroupBox = Named(new TGroupBox(this), "WizardGroupBox");
    WizardButton = NamedButton(this, "WizardButton", QStringLiteral("Set sort order and filter criteria ..."));
    auto *wizardLayout = new QVBoxLayout(WizardGroupBox);
    wizardLayout->addWidget(WizardButton);
    wizardLayout->addWidget(TextLabel(this, "WizardLabel1", QStringLiteral("You may set filter criteria and a sort order now.")));
    wizardLayout->addWidget(TextLabel(this, "WizardLabel2", QStringLiteral("You can also skip this step and")));
    wizardLayout->addWidget(TextLabel(this, "WizardLabel3", QStringLiteral("set them later through the menu")));
    wizardLayout->addWidget(TextLabel(this, "WizardLabel4", QStringLiteral("\"Report | Datasets\".")));
    wizardLayout->addStretch();
    const bool wizard = FDesigner && FDesigner->QueriesOnlyInExpert();
    IndexGroupBox->setVisible(!wizard);
    WizardGroupBox->setVisible(wizard);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(IndexGroupBox);
    layout->addWidget(WizardGroupBox);
    connect(WizardButton, &QPushButton::clicked, this, &TVendamoExpertForm::EditSortAndFilter);
    return page;
}

QWidget *TVendamoExpertForm::BuildFieldsPage() {
    auto *page = new QWidget;
    AvailFieldsListBox = Named(new TEnhancedListbox(this), "AvailFieldsListBox");
    UsedFieldsListBox = Named(new TEnhancedListbox(this), "UsedFieldsListBox");
    for (TEnhancedListbox *list : {AvailFieldsListBox, UsedFieldsListBox}) {
        list->SetMultiSelect(true);
        // Fields are dragged from one list to the other, or within the used list to move them.
        list->setDragEnabled(true);
        list->setAcceptDrops(true);
        list->setDropIndicatorShown(true);
        list->setDefaultDropAction(Qt::MoveAction);
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
    }
    AddButton = NamedButton(this, "AddButton", QStringLiteral(">"));
    AddAllButton = NamedButton(this, "AddAllButton", QStringLiteral(">>"));
    RemoveButton = NamedButton(this, "RemoveButton", QStringLiteral("<"));
    RemoveAllButton = NamedButton(this, "RemoveAllButton", QStringLiteral("<<"));
    UpButton = NamedButton(this, "UpButton", QStringLiteral("Up"));
    DownButton = NamedButton(this, "DownButton", QStringLiteral("Down"));
    auto *middle = new QVBoxLayout;
    middle->addStretch();
    for (TButton *b : {AddButton, AddAllButton, RemoveButton, RemoveAllButton}) middle->addWidget(b);
    middle->addStretch();
    auto *right = new QVBoxLayout;
    right->addStretch();
    right->addWidget(UpButton);
    right->addWidget(DownButton);
    right->addStretch();
    auto *lists = new QHBoxLayout;
    lists->addWidget(AvailFieldsListBox, 1);
    lists->addLayout(middle);
    lists->addWidget(UsedFieldsListBox, 1);
    lists->addLayout(right);
    auto *layout = new QVBoxLayout(page);
    auto *captions = new QHBoxLayout;
    captions->addWidget(TextLabel(this, "AvailLabel", QStringLiteral("Available fields:")), 1);
    captions->addWidget(TextLabel(this, "UsedLabel", QStringLiteral("Fields in the report:")), 1);
    layout->addLayout(captions);
    layout->addLayout(lists, 1);

    connect(AddButton, &QPushButton::clicked, this, [this] { MoveFields(AvailFieldsListBox, UsedFieldsListBox, false); });
    connect(AddAllButton, &QPushButton::clicked, this, [this] { MoveFields(AvailFieldsListBox, UsedFieldsListBox, true); });
    connect(RemoveButton, &QPushButton::clicked, this, [this] { MoveFields(UsedFieldsListBox, AvailFieldsListBox, false); });
    connect(RemoveAllButton, &QPushButton::clicked, this, [this] { MoveFields(UsedFieldsListBox, AvailFieldsListBox, true); });
    connect(UpButton, &QPushButton::clicked, this, [this] { UsedFieldsListBox->MoveUp(); });
    connect(DownButton, &QPushButton::clicked, this, [this] { UsedFieldsListBox->MoveDown(); });
    connect(AvailFieldsListBox, &QListWidget::itemDoubleClicked, this,
            [this] { MoveFields(AvailFieldsListBox, UsedFieldsListBox, false); });
    connect(UsedFieldsListBox, &QListWidget::itemDoubleClicked, this,
            [this] { MoveFields(UsedFieldsListBox, AvailFieldsListBox, false); });
    // Drops change the lists behind the model's back: the buttons follow.
    for (TEnhancedListbox *list : {AvailFieldsListBox, UsedFieldsListBox}) {
        connect(list->model(), &QAbstractItemModel::rowsInserted, this, &TVendamoExpertForm::UpdateButtons);
        connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &TVendamoExpertForm::UpdateButtons);
    }
    return page;
}

QWidget *TVendamoExpertForm::BuildBandsPage() {
    auto *page = new QWidget;
    const auto box = [this](const char *name, const char *caption, bool checked) {
        auto *b = Named(new TCheckBox(this), name);
        b->setText(QString::fromLatin1(caption));
        b->setChecked(checked);
        return b;
    };
    TitleCheckBox = box("TitleCheckBox", "Title", true);
    PageheaderCheckBox = box("PageheaderCheckBox", "Page Header", true);
    DetailCheckBox = box("DetailCheckBox", "Detail", true);
    DetailCheckBox->setEnabled(false);
    PagefooterCheckBox = box("PagefooterCheckBox", "Page Footer", false);
    SummaryCheckBox = box("SummaryCheckBox", "Summary", false);
    auto *layout = new QVBoxLayout(page);
    for (TCheckBox *b : {TitleCheckBox, PageheaderCheckBox, DetailCheckBox, PagefooterCheckBox, SummaryCheckBox})
        layout->addWidget(b);
    layout->addStretch();
    return page;
}

QWidget *TVendamoExpertForm::BuildOptionsPage() {
    auto *page = new QWidget;
    OrientationRadioGroup = Named(new TRadioGroup(this), "OrientationRadioGroup");
    OrientationRadioGroup->setTitle(QStringLiteral("Orientation"));
    OrientationRadioGroup->Items()->SetText(QStringLiteral("Portrait\nLandscape"));
    OrientationRadioGroup->SetItemIndex(0);
    ColumnEdit = Named(new TEdit(this), "ColumnEdit");
    ColumnEdit->setText(QStringLiteral("1"));
    ColumnEdit->setMaxLength(1);
    ColumnEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9]?")), ColumnEdit));
    ColumnSpacingEdit = Named(new TEdit(this), "ColumnSpacingEdit");
    ColumnSpacingEdit->setMaxLength(6);
    ColumnSpacingEdit->setText(QStringLiteral("0") + FormatSettings.DecimalSeparator + QStringLiteral("00"));
    ColumnSpacingEdit->installEventFilter(this);
    ReportTitleEdit = Named(new TEdit(this), "ReportTitleEdit");
    ReportTitleEdit->setMaxLength(255);
    ReportTitleEdit->setText(QStringLiteral("New Report"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(OrientationRadioGroup, 0, 0, 1, 2);
    grid->addWidget(TextLabel(this, "ColumnLabel", QStringLiteral("Columns on each page:")), 1, 0);
    grid->addWidget(ColumnEdit, 1, 1);
    grid->addWidget(TextLabel(this, "ColumnSpacingLabel", QStringLiteral("Column spacing:")), 2, 0);
    grid->addWidget(ColumnSpacingEdit, 2, 1);
    grid->addWidget(TextLabel(this, "ReportTitleLabel", QStringLiteral("Report title:")), 3, 0);
    grid->addWidget(ReportTitleEdit, 3, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget *TVendamoExpertForm::BuildFontsPage() {
    auto *page = new QWidget;
    LabelFontButton = NamedButton(this, "LabelFontButton", QStringLiteral("Label font..."));
    DataFontButton = NamedButton(this, "DataFontButton", QStringLiteral("Data font..."));
    HLineCheckBox = Named(new TCheckBox(this), "HLineCheckBox");
    HLineCheckBox->setText(QStringLiteral("horizontal lines"));
    VLineCheckBox = Named(new TCheckBox(this), "VLineCheckBox");
    VLineCheckBox->setText(QStringLiteral("vertical lines"));
    BoxCheckBox = Named(new TCheckBox(this), "BoxCheckBox");
    BoxCheckBox->setText(QStringLiteral("box lines"));
    SamplePicture = new TExpertSample(page);
    SamplePicture->setObjectName(QStringLiteral("SamplePicture"));
    SamplePicture->SetFonts(FLabelFont, FDataFont);
    auto *left = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{LabelFontButton, DataFontButton, HLineCheckBox, VLineCheckBox, BoxCheckBox})
        left->addWidget(w);
    left->addStretch();
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addWidget(SamplePicture, 1);
    connect(LabelFontButton, &QPushButton::clicked, this, [this] { ChooseFont(FLabelFont); });
    connect(DataFontButton, &QPushButton::clicked, this, [this] { ChooseFont(FDataFont); });
    const auto lines = [this] {
        SamplePicture->SetLines(HLineCheckBox->isChecked(), VLineCheckBox->isChecked(), BoxCheckBox->isChecked());
    };
    for (TCheckBox *b : {HLineCheckBox, VLineCheckBox, BoxCheckBox}) connect(b, &QAbstractButton::toggled, this, lines);
    return page;
}

QWidget *TVendamoExpertForm::BuildFinishPage() {
    auto *page = new QWidget;
    PreviewButton = NamedButton(this, "PreviewButton", QStringLiteral("Preview..."));
    ThumbnailLabel = new QLabel(page);
    ThumbnailLabel->setObjectName(QStringLiteral("ThumbnailLabel"));
    ThumbnailLabel->setAlignment(Qt::AlignCenter);
    ThumbnailLabel->setMinimumSize(180, 240);
    auto *left = new QVBoxLayout;
    left->addWidget(TextLabel(this, "FinishLabel",
                              QStringLiteral("The report has been generated. Press \"Finish\" to edit it in the "
                                             "designer, or \"Preview...\" to see it printed first.")));
    left->addWidget(PreviewButton, 0, Qt::AlignLeft);
    left->addStretch();
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addWidget(ThumbnailLabel);
    connect(PreviewButton, &QPushButton::clicked, this, &TVendamoExpertForm::Preview);
    return page;
}

// ---- page flow --------------------------------------------------------------------------

int TVendamoExpertForm::CurrentPage() const { return Notebook->currentIndex(); }

bool TVendamoExpertForm::IsQuery() const { return DatasetRadioGroup->ItemIndex() == 1; }
bool TVendamoExpertForm::IsTable() const { return !IsQuery(); }

void TVendamoExpertForm::DatasetKindClick(QObject *) {
    FDatasetChanged = true;
    DatasetNotebook->setCurrentIndex(IsQuery() ? 1 : 0);
}

bool TVendamoExpertForm::Skipped(int Page) const {
    if (Page == epTableIndex) {
        if (IsQuery()) return true;
        if (!(FDesigner && FDesigner->QueriesOnlyInExpert()) && TableIndexComboBox->count() < 2) return true;
    }
    return Page == epBands && SingleFormRadioButton->isChecked();
}

void TVendamoExpertForm::ShowPage(int Page) {
    Notebook->setCurrentIndex(Page);
    UpdateButtons();
}

void TVendamoExpertForm::UpdateButtons() {
    if (!FBuilt) return;  // the pages are still being built
    const int page = CurrentPage();
    BackButton->setVisible(page > epReportType);
    NextButton->setVisible(page < epFinish);
    FinishButton->setEnabled(page == epFinish || BlankRadioButton->isChecked());
    // A report needs at least one field.
    NextButton->setEnabled(page != epDatafields || UsedFieldsListBox->count() > 0);
    UpButton->setEnabled(UsedFieldsListBox->count() > 1);
    DownButton->setEnabled(UsedFieldsListBox->count() > 1);
}

bool TVendamoExpertForm::NextPage() {
    const int page = CurrentPage();
    if (page == epReportType && BlankRadioButton->isChecked()) {
        accept();
        return true;
    }
    if (page == epDatafields && UsedFieldsListBox->count() == 0) return false;
    try {
        if (page == epDataset && (FDatasetChanged || !FDataset || FDatasetIsQuery != IsQuery())) CreateDataset();
        if (page == epTableIndex && IsTable())
            if (auto *table = qobject_cast<TTable *>(FDataset)) {
                FIndexChoice = TableIndexComboBox->currentIndex() > 0 ? TableIndexComboBox->currentText() : QString();
                table->SetIndexName(FIndexChoice);
            }
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
        return false;
    }
    int next = page + 1;
    while (next < epFinish && Skipped(next)) ++next;
    ShowPage(next);
    if (next == epFinish) {
        try {
            CreateReport();
        } catch (const Exception &e) {
            Interaction().ShowError(e.Message());
        }
        UpdateThumbnail();
    }
    return true;
}

void TVendamoExpertForm::PreviousPage() {
    int previous = CurrentPage() - 1;
    while (previous > epReportType && Skipped(previous)) --previous;
    if (previous >= 0) ShowPage(previous);
}

// ---- dataset ----------------------------------------------------------------------------

void TVendamoExpertForm::CreateDataset() {
    TComponent *owner = FDesigner ? FDesigner->Owner() : nullptr;
    if (FDataSource) FDataSource->SetDataSet(nullptr);
    delete FDataset;
    FDataset = nullptr;
    const QString database = DatabaseComboBox->currentText().trimmed();
    const QString tableName = TableNameComboBox->currentText().trimmed();
    std::unique_ptr<TDataSet> created;
    if (IsQuery()) {
        auto query = std::make_unique<TQuery>(owner);
        query->SetReadOnlyConnection(true);
        query->SetDatabaseName(database);
        query->SQL()->SetText(SQLMemo->toPlainText());
        query->SetName(FindUniqueComponentName(owner, QStringLiteral("Query"), false));
        if (query->ParamCount() > 0) {
            for (int i = 0; i < query->ParamCount(); ++i)
                if (query->Params()[i].DataType() == ftUnknown) query->Params()[i].SetDataType(ftString);
            TDBSetupForm4 parameters(nullptr, this);
            parameters.Prepare(query->Params(), FDesigner);
            if (Interaction().ExecDialog(parameters) == QDialog::Accepted) query->Params().Assign(parameters.Params());
        }
        created = std::move(query);
    } else {
        if (tableName.isEmpty()) throw EDatabaseError(QStringLiteral("Please choose a table."));
        if (FDesigner && FDesigner->QueriesOnlyInExpert()) {
            auto query = std::make_unique<TWizQuery>(owner);
            query->SetReadOnlyConnection(true);
            query->SetTableName(tableName);
            query->SetDatabaseName(database);
            query->CreateSQL();
            created = std::move(query);
        } else {
            auto table = std::make_unique<TTable>(owner);
            table->SetReadOnly(true);
            table->SetReadOnlyConnection(true);
            table->SetTableName(tableName);
            table->SetDatabaseName(database);
            created = std::move(table);
        }
        // Named like a new table of the datasets dialog: "customer_Table" for customer.db.
        const QString name = tableName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('_'), 0, 0) +
                             QLatin1Char('_') + Message(QStringLiteral("DefaultTableName"));
        try {
            created->SetName(owner && owner->FindComponent(name) ? FindUniqueComponentName(owner, name, false) : name);
        } catch (const EComponentError &) {
            created->SetName(FindUniqueComponentName(owner, QStringLiteral("Table"), false));
        }
    }
    created->Open();
    FDataset = created.release();
    FDatasetIsQuery = IsQuery();
    FDatasetChanged = false;
    if (!FDataSource) {
        FDataSource = new TDataSource(owner);
        FDataSource->SetName(FindUniqueComponentName(owner, QStringLiteral("DataSource"), false));
    }
    FDataSource->SetDataSet(FDataset);
    CreateFields(FDataset, FDesigner ? FDesigner->FieldDisplayLabels() : nullptr);
    FillFieldLists();
    if (IsTable()) FillIndexList();
}

void TVendamoExpertForm::FillFieldLists() {
    QStringList offered;
    for (const TField *field : FDataset->Fields())
        offered << (field->DisplayLabel().isEmpty() ? field->FieldName() : field->DisplayLabel());
    AvailFieldsListBox->Items()->SetStringList(offered);
    // Choices survive a change of dataset where the field still exists.
    for (int i = UsedFieldsListBox->count() - 1; i >= 0; --i) {
        const QString used = UsedFieldsListBox->Items()->Get(i);
        const int at = AvailFieldsListBox->Items()->IndexOf(used);
        if (at < 0)
            UsedFieldsListBox->Items()->Delete(i);
        else
            AvailFieldsListBox->Items()->Delete(at);
    }
    UpdateButtons();
}

void TVendamoExpertForm::FillIndexList() {
    QStringList items{Message(QStringLiteral("None"))};
    if (auto *table = qobject_cast<TTable *>(FDataset)) items << table->IndexNames();
    TableIndexComboBox->Items()->SetStringList(items);
    const int previous = FIndexChoice.isEmpty() ? 0 : int(items.indexOf(FIndexChoice));
    TableIndexComboBox->SetItemIndex(previous < 0 ? 0 : previous);
}

void TVendamoExpertForm::EditSortAndFilter() {
    auto *query = qobject_cast<TWizQuery *>(FDataset);
    if (!query) return;
    if (EditWizQuery(nullptr, query, FDesigner ? FDesigner->AvailableTableNames() : nullptr,
                     FDesigner ? FDesigner->FieldDisplayLabels() : nullptr, false, true, true, false, true))
        NextPage();
}

void TVendamoExpertForm::EditCustomSQL() {
    if (!FDesigner || !FDesigner->OnEditQuery().Assigned()) return;
    // The application edits a query of its own; its statement comes back into the memo.
    TQuery query;
    query.SetDatabaseName(DatabaseComboBox->currentText());
    query.SQL()->SetText(SQLMemo->toPlainText());
    bool cancel = false;
    FDesigner->OnEditQuery().Invoke<QObject *, bool &>(static_cast<QObject *>(&query), cancel);
    if (cancel) return;
    SQLMemo->setPlainText(query.SQL()->Text());
    DatabaseComboBox->SetText(query.DatabaseName());
    FDatasetChanged = true;
}

// ---- fields -----------------------------------------------------------------------------

QStringList TVendamoExpertForm::UsedFields() const { return UsedFieldsListBox->Items()->ToStringList(); }

void TVendamoExpertForm::MoveFields(TEnhancedListbox *From, TEnhancedListbox *To, bool All) {
    if (All) From->selectAll();
    To->MoveFromListbox(From, -1);
    UpdateButtons();
}

bool TVendamoExpertForm::eventFilter(QObject *Watched, QEvent *Event) {
    if (Event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(Event);
        // Alt+Up and Alt+Down move the selected used fields.
        if (Watched == UsedFieldsListBox && key->modifiers() == Qt::AltModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            key->key() == Qt::Key_Up ? UsedFieldsListBox->MoveUp() : UsedFieldsListBox->MoveDown();
            return true;
        }
        if (Watched == ColumnSpacingEdit) {
            const QString text = key->text();
            if (text == QLatin1String(",") || text == QLatin1String(".")) {
                ColumnSpacingEdit->insert(QString(FormatSettings.DecimalSeparator));
                return true;
            }
            // Digits, the decimal separator and control keys only.
            if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit()) return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TVendamoExpertForm::ChooseFont(TFont *Font) {
    QFont font = Font->ToQFont();
    QColor color = QColor::fromRgb(0, 0, 0);
    if (!Interaction().SelectFont(font, color)) return;
    Font->FromQFont(font);
    SamplePicture->update();
}

// ---- generation -------------------------------------------------------------------------

void TVendamoExpertForm::CreateReport() {
    TDesignReport *report = FDesigner->Report();
    FDesigner->SelectElement(true, nullptr);
    ClearReportForm(FDesigner->Owner(), false);
    report->Page()->SetOrientation(OrientationRadioGroup->ItemIndex() == 0 ? poPortrait : poLandscape);
    bool ok = false;
    const int columns = ColumnEdit->text().toInt(&ok);
    if (ok) {
        report->Page()->SetColumns(qMax(1, columns));
        QString spacing = ColumnSpacingEdit->text();
        spacing.replace(FormatSettings.DecimalSeparator, QLatin1Char('.'));
        const double space = spacing.toDouble(&ok);
        if (ok) report->Page()->SetColumnSpace(space);
    }
    TExpertLayout layout;
    layout.TitleText = ReportTitleEdit->text().left(255);
    layout.PageHeader = PageheaderCheckBox->isChecked();
    layout.Title = TitleCheckBox->isChecked();
    layout.PageFooter = PagefooterCheckBox->isChecked();
    layout.Summary = SummaryCheckBox->isChecked();
    layout.HorizontalLines = HLineCheckBox->isChecked();
    layout.VerticalLines = VLineCheckBox->isChecked();
    layout.BoxLines = BoxCheckBox->isChecked();
    layout.LabelFont = FLabelFont;
    layout.DataFont = FDataFont;
    const QStringList fields = UsedFields();
    if (ListRadioButton->isChecked())
        CreateListReport(FDesigner, FDataset, fields, layout);
    else if (SingleFormRadioButton->isChecked())
        CreateSingleFormReport(FDesigner, FDataset, fields, layout);
    else
        CreateTabularReport(FDesigner, FDataset, fields, layout, FormRadioButton->isChecked());
}

void TVendamoExpertForm::Preview() {
    try {
        FDesigner->Report()->Preview();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
    }
}

void TVendamoExpertForm::UpdateThumbnail() {
    ThumbnailLabel->clear();
    TFirstPageFilter filter;
    try {
        FDesigner->Report()->ExportToFilter(filter);
    } catch (const TFirstPageFilter::TDone &) {
        // The first page is all the thumbnail needs: the run stops there.
    } catch (const Exception &) {
        return;  // nothing to show; "Preview..." reports the error when the user asks for it
    }
    if (filter.Page().isNull()) return;
    const QSize area = ThumbnailLabel->minimumSize() - QSize(2, 2);
    QPixmap pixmap = QPixmap::fromImage(filter.Page().scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QPainter frame(&pixmap);
    frame.setPen(Qt::gray);
    frame.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    frame.end();
    ThumbnailLabel->setPixmap(pixmap);
}

// ---- entry ------------------------------------------------------------------------------

bool VendamoReportExpert(TVDMDesigner *Designer) {
    if (!Designer || !Designer->Report()) return false;
    Designer->Report()->SetReportTitle(QString());
    Designer->SelectElement(true, nullptr);
    ClearReportForm(Designer->Owner(), true);
    // Undo steps belong to the report that was just cleared away.
    Designer->ClearUndo();
    Designer->SetHasChanged(false);
    TVendamoExpertForm form(Designer);
    const bool finished = Interaction().ExecDialog(form) == QDialog::Accepted;
    // A generated layout is new work: closing the designer asks before it is lost.
    if (finished && form.MainDataset()) Designer->SetHasChanged(true);
    return finished;
}
