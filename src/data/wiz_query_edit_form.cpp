#include "data/wiz_query_edit_form.h"
#include "data/named_controls.h"

#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "data/dataset_fields.h"
#include "data/dataset_item_model.h"
#include "data/db_open_form.h"
#include "data/sql_highlighter.h"
#include "dblib/db_error.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"
#include "model/form_translation.h"
#include "model/lookup_helpers.h"

namespace {

constexpr int MaxNameLength = 255;

// The comparison items in item order and the operator each stands for.
const QList<QPair<QString, TWizQueryFilterOperator>> &Comparisons() {
    static const QList<QPair<QString, TWizQueryFilterOperator>> items = {
        {QStringLiteral("is equal to"), qfoEqual},
        {QStringLiteral("is like"), qfoLike},
        {QStringLiteral("is not equal to"), qfoNotEqual},
        {QStringLiteral("is less than"), qfoLess},
        {QStringLiteral("is less than or equal to"), qfoLessOrEqual},
        {QStringLiteral("is greater than"), qfoGreater},
        {QStringLiteral("greater than or equal to"), qfoGreaterOrEqual},
        {QStringLiteral("is blank."), qfoBlank},
        {QStringLiteral("is not blank."), qfoNotBlank},
    };
    return items;
}

// A value with several parts (BETWEEN bounds, IN items) shows its code-0 separators as ";".
QString ShownValue(const TWizQueryFilter &Condition) {
    QString value = Condition.Value;
    return value.replace(QChar(0), QLatin1Char(';'));
}

}  // namespace

const QStringList &TWizQueryEditForm::ComparisonItems() {
    static const QStringList texts = [] {
        QStringList list;
        for (const auto &item : Comparisons()) list << item.first;
        return list;
    }();
    return texts;
}

TWizQueryFilterOperator TWizQueryEditForm::ItemOperator(int Item) {
    return Item >= 0 && Item < Comparisons().size() ? Comparisons().at(Item).second : qfoEqual;
}

int TWizQueryEditForm::OperatorItem(TWizQueryFilterOperator Operator) {
    for (int i = 0; i < Comparisons().size(); ++i)
        if (Comparisons().at(i).second == Operator) return i;
    return 0;
}

TWizQueryEditForm::TWizQueryEditForm(TComponent *AOwner, QWidget *parent)
    : QDialog(parent), TComponent(AOwner), FAllowedTables(std::make_unique<TStringList>()),
      FDisplayLabels(std::make_unique<TStringList>()) {
    SetName(QStringLiteral("WizQueryEditForm"));
    setWindowTitle(QStringLiteral("SQL Wizard"));
    Notebook = Named(new TPageControl(this), "Notebook");
    const char *pageNames[PageCount] = {"TablePage", "SortPage", "FilterPage", "SQLPage", "PreviewPage"};
    const char *pageCaptions[PageCount] = {"Table", "Sort order", "Filtering", "View SQL", "Preview data"};
    for (int i = 0; i < PageCount; ++i) {
        Pages[i] = Named(new TTabSheet(this), pageNames[i]);
        Pages[i]->SetPageControl(Notebook);
        Pages[i]->SetCaption(QString::fromLatin1(pageCaptions[i]));
        FPageIndex[i] = i;
    }
    BuildTablePage();
    BuildSortPage();
    BuildFilterPage();
    BuildSqlPage();
    BuildPreviewPage();
    FindRowControls();

    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(OKButton);
    bottom->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Notebook, 1);
    layout->addLayout(bottom);
    resize(600, 420);

    connect(OKButton, &QPushButton::clicked, this, &TWizQueryEditForm::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Notebook, &QTabWidget::currentChanged, this, &TWizQueryEditForm::PageChanged);

    TranslateForm(this, QStringLiteral("WizQueryEditForm"));
    Notebook->setCurrentIndex(0);
    FShownPage = 0;
    TStringList aliases;
    Session().GetDatabaseNames(aliases);
    DatabaseComboBox->Items()->AddStrings(aliases);
    CheckFilterComboboxes();
    FModified = false;
    FTableChanged = true;
}

TWizQueryEditForm::~TWizQueryEditForm() {
    // Pages going away with the form are no page changes.
    disconnect(Notebook, nullptr, this, nullptr);
    // The grid's model reads the temporary query: it goes first.
    if (PreviewGrid) PreviewGrid->setModel(nullptr);
    delete FPreviewModel;
}

void TWizQueryEditForm::BuildTablePage() {
    NameEdit = Named(new TEdit(this), "NameEdit");
    NameEdit->setMaxLength(63);
    DatabaseComboBox = Named(new TComboBox(this), "DatabaseComboBox");
    DatabaseComboBox->SetStyle(csDropDown);
    TableNameComboBox = Named(new TComboBox(this), "TableNameComboBox");
    TableNameComboBox->SetStyle(csDropDown);
    TableSearchButton = Named(new TButton(this), "TableSearchButton");
    TableSearchButton->setText(QStringLiteral("Search..."));

    auto *grid = new QGridLayout(Pages[wpTable]);
    grid->addWidget(BuddyLabel(this, "NameLabel", "&Name:", NameEdit), 0, 0);
    grid->addWidget(NameEdit, 0, 1);
    grid->addWidget(BuddyLabel(this, "DatabaseLabel", "&Database:", DatabaseComboBox), 1, 0);
    grid->addWidget(DatabaseComboBox, 1, 1);
    grid->addWidget(BuddyLabel(this, "TableNameLabel", "&Table:", TableNameComboBox), 2, 0);
    grid->addWidget(TableNameComboBox, 2, 1);
    grid->addWidget(TableSearchButton, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    connect(NameEdit, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(DatabaseComboBox, &QComboBox::activated, this, &TWizQueryEditForm::DatabaseChanged);
    connect(DatabaseComboBox->lineEdit(), &QLineEdit::textEdited, this, &TWizQueryEditForm::DatabaseChanged);
    const auto tableChanged = [this] {
        SetModified();
        FTableChanged = true;
    };
    connect(TableNameComboBox, &QComboBox::activated, this, tableChanged);
    connect(TableNameComboBox->lineEdit(), &QLineEdit::textEdited, this, tableChanged);
    connect(TableSearchButton, &QPushButton::clicked, this, &TWizQueryEditForm::TableSearch);
}

void TWizQueryEditForm::BuildSortPage() {
    auto *layout = new QVBoxLayout(Pages[wpSort]);
    auto *label = Named(new TLabel(this), "SortLabel");
    label->setText(QStringLiteral("Please select the data fields to be used for sorting the data:"));
    label->setWordWrap(true);
    layout->addWidget(label);
    auto *grid = new QGridLayout;
    for (int i = 0; i < SortRows; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        auto *box = Named(new TComboBox(this), ("SortFieldComboBox" + n).constData());
        box->SetStyle(csDropDownList);
        // Each row's two buttons exclude each other only.
        auto *row = new QWidget(Pages[wpSort]);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        auto *ascending = Named(new TRadioButton(this), ("AscendingRadioButton" + n).constData());
        ascending->setText(QStringLiteral("ascending"));
        ascending->setChecked(true);
        auto *descending = Named(new TRadioButton(this), ("DescendingRadioButton" + n).constData());
        descending->setText(QStringLiteral("descending"));
        rowLayout->addWidget(ascending);
        rowLayout->addWidget(descending);
        grid->addWidget(box, i, 0);
        grid->addWidget(row, i, 1);
        connect(box, &QComboBox::activated, this, [this] { SetModified(); });
        connect(ascending, &QAbstractButton::clicked, this, [this] { SetModified(); });
        connect(descending, &QAbstractButton::clicked, this, [this] { SetModified(); });
    }
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    layout->addStretch();
}

void TWizQueryEditForm::BuildFilterPage() {
    auto *layout = new QVBoxLayout(Pages[wpFilter]);
    auto *label = Named(new TLabel(this), "FilterLabel");
    label->setText(QStringLiteral(
        "Please choose filter criteria if you don't want to execute the report on all available data records:"));
    label->setWordWrap(true);
    layout->addWidget(label);
    FilterScrollBox = Named(new TScrollBox(this), "FilterScrollBox");
    FilterScrollBox->setWidgetResizable(true);
    auto *rows = new QWidget;
    auto *grid = new QGridLayout(rows);
    for (int i = 0; i < FilterRows; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        if (i > 0) {
            auto *connector = Named(new TComboBox(this), ("BoolOpCombobox" + QByteArray::number(i)).constData());
            connector->SetStyle(csDropDownList);
            connector->Items()->SetText(QStringLiteral("AND\nOR"));
            connector->SetItemIndex(-1);
            grid->addWidget(connector, i, 0);
            connect(connector, &QComboBox::activated, this, [this] { SetModified(); });
        }
        auto *field = Named(new TComboBox(this), ("FieldCombobox" + n).constData());
        field->SetStyle(csDropDownList);
        auto *comparison = Named(new TComboBox(this), ("CompCombobox" + n).constData());
        comparison->SetStyle(csDropDownList);
        comparison->Items()->SetStringList(ComparisonItems());
        comparison->SetItemIndex(-1);
        auto *value = Named(new TEdit(this), ("ValueEdit" + n).constData());
        value->setMaxLength(MaxNameLength);
        grid->addWidget(field, i, 1);
        grid->addWidget(comparison, i, 2);
        grid->addWidget(value, i, 3);
        connect(field, &QComboBox::activated, this, [this, i] {
            TouchRow(i);
            CheckFilterComboboxes();
            SetModified();
        });
        connect(comparison, &QComboBox::activated, this, [this, i] {
            TouchRow(i);
            SetModified();
        });
        connect(value, &QLineEdit::textEdited, this, [this, i] {
            TouchRow(i);
            SetModified();
        });
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(FilterRows, 1);
    FilterScrollBox->setWidget(rows);
    layout->addWidget(FilterScrollBox, 1);
}

void TWizQueryEditForm::BuildSqlPage() {
    SQLMemo = Named(new TMemo(this), "SQLMemo");
    SQLMemo->setReadOnly(true);
    SQLMemo->SetWordWrap(false);
    SQLMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    new TSqlHighlighter(SQLMemo->document());
    auto *layout = new QVBoxLayout(Pages[wpSQL]);
    layout->addWidget(SQLMemo);
}

void TWizQueryEditForm::BuildPreviewPage() {
    // The preview runs on a wizard query of the dialog's own, so that its values reach the
    // database as values, as the edited query's will.
    FTempQuery = new TWizQuery(this);
    FTempQuery->SetReadOnlyConnection(true);
    FTempQuery->SetUniDirectional(true);
    PreviewGrid = new QTableView(Pages[wpPreview]);
    PreviewGrid->setObjectName(QStringLiteral("PreviewGrid"));
    PreviewGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PreviewGrid->verticalHeader()->setDefaultSectionSize(PreviewGrid->fontMetrics().height() + 6);
    FPreviewModel = new TDatasetItemModel(FTempQuery);
    PreviewGrid->setModel(FPreviewModel);
    RecordCountLabel = new QLabel(Pages[wpPreview]);
    RecordCountLabel->setObjectName(QStringLiteral("RecordCountLabel"));
    connect(FPreviewModel, &TDatasetItemModel::rowsCounted, this, &TWizQueryEditForm::UpdateRecordCount);
    auto *layout = new QVBoxLayout(Pages[wpPreview]);
    layout->addWidget(PreviewGrid, 1);
    layout->addWidget(RecordCountLabel);
}

void TWizQueryEditForm::UpdateRecordCount() {
    const int known = FPreviewModel->RowsKnown();
    if (!FTempQuery->Active()) {
        RecordCountLabel->clear();
        return;
    }
    if (FPreviewModel->Complete()) {
        RecordCountLabel->setText(known == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(known));
        return;
    }
    RecordCountLabel->setText(QStringLiteral("%1+ records (counting...)").arg(known));
    // The count goes on in small steps while the dialog is idle, never all at once.
    QTimer::singleShot(0, this, [this] {
        if (FTempQuery->Active() && !FPreviewModel->Complete()) FPreviewModel->fetchMore(QModelIndex());
    });
}

void TWizQueryEditForm::FindRowControls() {
    const auto find = [this](const QString &prefix, int n) {
        return dynamic_cast<TComboBox *>(FindComponent(prefix + QString::number(n)));
    };
    for (int i = 0; i < FilterRows; ++i) {
        FieldCombobox[i] = find(QStringLiteral("FieldCombobox"), i + 1);
        CompCombobox[i] = find(QStringLiteral("CompCombobox"), i + 1);
        ValueEdit[i] = dynamic_cast<TEdit *>(FindComponent(QStringLiteral("ValueEdit") + QString::number(i + 1)));
        if (i < FilterRows - 1) BoolOpCombobox[i] = find(QStringLiteral("BoolOpCombobox"), i + 1);
    }
    for (int i = 0; i < SortRows; ++i) {
        SortFieldComboBox[i] = find(QStringLiteral("SortFieldComboBox"), i + 1);
        AscendingRadioButton[i] =
            dynamic_cast<TRadioButton *>(FindComponent(QStringLiteral("AscendingRadioButton") + QString::number(i + 1)));
        DescendingRadioButton[i] =
            dynamic_cast<TRadioButton *>(FindComponent(QStringLiteral("DescendingRadioButton") + QString::number(i + 1)));
    }
}

// ---- pages ------------------------------------------------------------------------------

void TWizQueryEditForm::SetVisiblePages(bool Table, bool Sort, bool Filter, bool SQL, bool Preview) {
    const bool shown[PageCount] = {Table, Sort, Filter, SQL, Preview};
    FChangingPage = true;
    for (int page = 0; page < PageCount; ++page) {
        if (shown[page] || FPageIndex[page] < 0) continue;
        Notebook->removeTab(FPageIndex[page]);
        Pages[page]->hide();
        FPageIndex[page] = -1;
        for (int later = page + 1; later < PageCount; ++later)
            if (FPageIndex[later] >= 0) --FPageIndex[later];
    }
    FChangingPage = false;
    FShownPage = Notebook->currentIndex();
    // The first page shown may need the field lists at once.
    if (FShownPage > 0 || !PageShown(wpTable)) {
        if (FTableChanged && !TableNameComboBox->currentText().isEmpty()) {
            try {
                NewDataset();
            } catch (const Exception &e) {
                Interaction().ShowError(e.Message());
            }
        }
    }
}

int TWizQueryEditForm::CurrentPage() const { return Notebook->currentIndex(); }

bool TWizQueryEditForm::ShowPage(int Index) {
    if (Index < 0 || Index >= Notebook->count()) return false;
    Notebook->setCurrentIndex(Index);
    return Notebook->currentIndex() == Index;
}

void TWizQueryEditForm::PageChanged(int Index) {
    if (FChangingPage || Index < 0) return;
    if (Index == FShownPage) return;
    if (!AllowPageChange(Index)) {
        FChangingPage = true;
        Notebook->setCurrentIndex(FShownPage);
        FChangingPage = false;
        return;
    }
    FShownPage = Index;
}

bool TWizQueryEditForm::AllowPageChange(int Index) {
    if (Index != 0 && PageShown(wpTable) && TableNameComboBox->currentText().trimmed().isEmpty()) return false;
    // The table page is where a table that does not open gets mended: always reachable.
    if (Index == FPageIndex[wpTable]) return true;
    try {
        if (FTableChanged && !NewDataset()) return false;
        if (Index == FPageIndex[wpSQL]) {
            TWizQuery temporary;
            AssignSettingsToQuery(&temporary);
            SQLMemo->Lines()->Assign(temporary.SQL());
        } else if (Index == FPageIndex[wpPreview]) {
            ClosePreview();
            AssignSettingsToQuery(FTempQuery);
            FTempQuery->Open();
        }
    } catch (const Exception &e) {
        // A table or statement the database refuses: the user stays where he was.
        Interaction().ShowError(e.Message());
        return false;
    }
    return true;
}

void TWizQueryEditForm::ClosePreview() { FTempQuery->Close(); }

void TWizQueryEditForm::accept() {
    if (PageShown(wpTable) && TableNameComboBox->currentText().trimmed().isEmpty()) {
        ShowPage(FPageIndex[wpTable]);
        TableNameComboBox->setFocus();
        Interaction().ShowError(QStringLiteral("Please choose a table."));
        return;
    }
    // A name the query cannot take is refused here, while the user can still change it.
    const QString name = NameEdit->text().trimmed();
    if (PageShown(wpTable) && FQuery && FQuery->Owner() && !name.isEmpty() && name != FQuery->Name()) {
        const QString old = FQuery->Name();
        try {
            FQuery->SetName(name);
            FQuery->SetName(old);
        } catch (const EComponentError &e) {
            ShowPage(FPageIndex[wpTable]);
            NameEdit->setFocus();
            Interaction().ShowError(e.Message());
            return;
        }
    }
    // Field lists not built yet (the table was typed and OK pressed at once) are built now, so
    // that the query gets the field types of its conditions.
    if (FTableChanged && PageShown(wpTable)) {
        try {
            NewDataset();
        } catch (const Exception &e) {
            Interaction().ShowError(e.Message());
            return;
        }
    }
    QDialog::accept();
}

// ---- field lists ------------------------------------------------------------------------

bool TWizQueryEditForm::NewDataset() {
    const QString table = TableNameComboBox->currentText().trimmed();
    if (table.isEmpty()) return false;
    delete FPreviewTable;
    FPreviewTable = nullptr;
    // The table belongs to the dialog: it lists the fields and goes with the dialog.
    auto preview = std::make_unique<TTable>(this);
    preview->SetReadOnly(true);
    preview->SetReadOnlyConnection(true);
    preview->SetDatabaseName(DatabaseComboBox->currentText().trimmed());
    preview->SetTableName(table);
    // Its fields are all it is for: the definitions are read without reading any rows, which
    // for a large table would take long and hold them all.
    preview->UpdateFieldDefs();
    CreateFields(preview.get(), FDisplayLabels.get());
    FPreviewTable = preview.release();
    FTableChanged = false;

    QStringList items{QString()};
    for (const TField *field : FPreviewTable->Fields())
        items << (field->DisplayLabel().isEmpty() ? field->FieldName() : field->DisplayLabel());
    FLoading = true;
    for (TComboBox *box : FieldCombobox) {
        box->Items()->SetStringList(items);
        box->SetItemIndex(-1);
    }
    for (TComboBox *box : SortFieldComboBox) {
        box->Items()->SetStringList(items);
        box->SetItemIndex(-1);
    }
    for (int i = 0; i < FilterRows; ++i) {
        CompCombobox[i]->Items()->SetStringList(ComparisonItems());
        CompCombobox[i]->SetItemIndex(-1);
        ValueEdit[i]->clear();
        FRowCondition[i].reset();
    }
    FLoading = false;
    CheckFilterComboboxes();
    return true;
}

QString TWizQueryEditForm::LabelOf(const QString &FieldName) const {
    if (FPreviewTable) {
        if (const TField *field = FPreviewTable->FindField(FieldName))
            return field->DisplayLabel().isEmpty() ? field->FieldName() : field->DisplayLabel();
    }
    const QString label = FDisplayLabels->Values(FieldName);
    return label.isEmpty() ? FieldName : label;
}

QString TWizQueryEditForm::FieldNameOf(const QString &Label) const {
    if (!FPreviewTable) return QString();
    // A label that no longer names a field of the table gives no field.
    for (const TField *field : FPreviewTable->Fields())
        if (field->DisplayLabel() == Label) return field->FieldName();
    return QString();
}

// ---- filter rows ------------------------------------------------------------------------

void TWizQueryEditForm::TouchRow(int Row) {
    if (!FLoading) FRowCondition[Row].reset();
}

void TWizQueryEditForm::MoveRow(int From, int To) {
    FieldCombobox[To]->SetItemIndex(FieldCombobox[From]->currentIndex());
    CompCombobox[To]->SetItemIndex(CompCombobox[From]->currentIndex());
    ValueEdit[To]->setText(ValueEdit[From]->text());
    FRowCondition[To] = FRowCondition[From];
    // The connector before the row moves with it; the first row has none.
    if (To >= 1) BoolOpCombobox[To - 1]->SetItemIndex(BoolOpCombobox[From - 1]->currentIndex());
}

void TWizQueryEditForm::ClearRow(int Row) {
    FieldCombobox[Row]->SetItemIndex(-1);
    CompCombobox[Row]->SetItemIndex(-1);
    ValueEdit[Row]->clear();
    FRowCondition[Row].reset();
    if (Row >= 1) BoolOpCombobox[Row - 1]->SetItemIndex(-1);
}

void TWizQueryEditForm::CheckFilterComboboxes() {
    const bool loading = FLoading;
    FLoading = true;
    int blockEnd = FilterRows - 1;
    for (int i = FilterRows - 2; i >= 0; --i) {
        if (FieldCombobox[i]->currentIndex() >= 1) continue;
        bool filledBelow = false;
        for (int j = i + 1; j <= blockEnd; ++j) filledBelow = filledBelow || FieldCombobox[j]->currentIndex() >= 1;
        if (filledBelow) {
            for (int j = i + 1; j <= blockEnd; ++j) MoveRow(j, j - 1);
            ClearRow(blockEnd);
        } else {
            // Nothing to pull up: the row empties but keeps its blank entry and connector, so
            // that the arrow keys can pass over the blank to the fields.
            CompCombobox[i]->SetItemIndex(-1);
            ValueEdit[i]->clear();
            FRowCondition[i].reset();
        }
        --blockEnd;
    }
    for (int i = 0; i < FilterRows; ++i) {
        const bool used = FieldCombobox[i]->currentIndex() >= 1;
        CompCombobox[i]->setEnabled(used);
        ValueEdit[i]->setEnabled(used);
        if (used && CompCombobox[i]->currentIndex() < 0) CompCombobox[i]->SetItemIndex(0);
        if (i < FilterRows - 1) {
            FieldCombobox[i + 1]->setEnabled(used);
            BoolOpCombobox[i]->setEnabled(used);
            if (used && BoolOpCombobox[i]->currentIndex() < 0) BoolOpCombobox[i]->SetItemIndex(0);
        }
    }
    FLoading = loading;
}

// ---- query settings ---------------------------------------------------------------------

void TWizQueryEditForm::GetSettingsFromQuery(TWizQuery *Query) {
    FLoading = true;
    FQuery = Query;
    FLoadedTableName = Query->TableName();
    FLoadedDatabaseName = Query->DatabaseName();
    NameEdit->setText(Query->Name());
    DatabaseComboBox->SetText(Query->DatabaseName());
    DatabaseChanged();
    TableNameComboBox->SetText(Query->TableName());
    bool lists = false;
    try {
        lists = NewDataset();
    } catch (const Exception &) {
        // A stored table that is gone: the dialog opens with empty field lists, so the user can
        // choose another one.
        FTableChanged = true;
    }
    FLoading = true;
    if (lists) {
        const TStrings *sorts = Query->SortFields();
        for (int i = 0; i < SortRows && i < sorts->Count(); ++i) {
            QString name = sorts->Get(i);
            const bool descending = name.startsWith(QLatin1Char('-'));
            if (descending) name.remove(0, 1);
            SortFieldComboBox[i]->SetItemIndex(SortFieldComboBox[i]->findText(LabelOf(name), Qt::MatchExactly));
            (descending ? DescendingRadioButton[i] : AscendingRadioButton[i])->setChecked(true);
        }
        const QList<TWizQueryFilter *> &filters = Query->Filters();
        for (int i = 0; i < FilterRows && i < filters.size(); ++i) {
            const TWizQueryFilter &condition = *filters.at(i);
            FieldCombobox[i]->SetItemIndex(FieldCombobox[i]->findText(LabelOf(condition.FieldName), Qt::MatchExactly));
            CompCombobox[i]->SetItemIndex(OperatorItem(condition.Operator));
            ValueEdit[i]->setText(ShownValue(condition));
            if (i >= 1) BoolOpCombobox[i - 1]->SetItemIndex(condition.OrOperator ? 1 : 0);
            FRowCondition[i] = condition;
        }
    }
    CheckFilterComboboxes();
    FLoading = false;
    FModified = false;
}

void TWizQueryEditForm::AssignSettingsToQuery(TWizQuery *Query) {
    if (PageShown(wpTable)) {
        const QString name = NameEdit->text().trimmed();
        // Only the edited query takes the name; the dialog's own queries keep theirs.
        if (Query != FTempQuery && Query->Owner() && !name.isEmpty() && name != Query->Name())
            Query->SetName(name);
        Query->SetTableName(TableNameComboBox->currentText().trimmed().left(MaxNameLength));
        Query->SetDatabaseName(DatabaseComboBox->currentText().trimmed().left(MaxNameLength));
    } else {
        if (Query->TableName().isEmpty()) Query->SetTableName(FLoadedTableName);
        if (Query->DatabaseName().isEmpty()) Query->SetDatabaseName(FLoadedDatabaseName);
    }
    if (PageShown(wpSort)) {
        Query->SortFields()->Clear();
        for (int i = 0; i < SortRows; ++i) {
            if (SortFieldComboBox[i]->currentIndex() < 1) continue;
            const QString name = FieldNameOf(SortFieldComboBox[i]->currentText());
            if (name.isEmpty()) continue;
            Query->SortFields()->Add(AscendingRadioButton[i]->isChecked() ? name : QLatin1Char('-') + name);
        }
    }
    if (PageShown(wpFilter)) {
        qDeleteAll(Query->Filters());
        Query->Filters().clear();
        for (int i = 0; i < FilterRows; ++i) {
            if (FieldCombobox[i]->currentIndex() < 1) continue;
            const bool orOperator = i >= 1 && BoolOpCombobox[i - 1]->currentText() == QLatin1String("OR");
            if (FRowCondition[i]) {
                // A row the user left alone stands as it was stored.
                auto *kept = new TWizQueryFilter(*FRowCondition[i]);
                kept->OrOperator = orOperator;
                Query->AddFilter(kept);
                continue;
            }
            const QString name = FieldNameOf(FieldCombobox[i]->currentText());
            if (name.isEmpty()) continue;
            const TField *field = FPreviewTable->FindField(name);
            Query->AddFilter(new TWizQueryFilter(orOperator, name, ItemOperator(CompCombobox[i]->currentIndex()),
                                                 ValueEdit[i]->text().left(MaxNameLength),
                                                 field ? int(field->DataType()) : int(ftString), true));
        }
    }
    Query->CreateSQL();
}

// ---- table page -------------------------------------------------------------------------

void TWizQueryEditForm::DatabaseChanged() {
    if (!FLoading) SetModified();
    FTableChanged = true;
    const QString keep = TableNameComboBox->currentText();
    TableNameComboBox->Items()->Clear();
    const QString database = DatabaseComboBox->currentText().trimmed();
    const bool allowAll = FAllowedTables->Count() == 0;
    QStringList names;
    if (!Session().IsAlias(database)) {
        // A directory: its table files.
        QDir dir(database);
        if (!database.isEmpty() && dir.exists()) {
            dir.setNameFilters({QStringLiteral("*.DB*")});
            dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
            dir.setSorting(QDir::Name | QDir::IgnoreCase);
            for (const QString &name : dir.entryList())
                if (allowAll || FindStringInStringList(FAllowedTables.get(), name)) names << name;
        }
    } else {
        try {
            for (const QString &name : Session().TableNames(database, QString(), true, false))
                if (allowAll || FindStringInStringList(FAllowedTables.get(), name)) names << name;
        } catch (const Exception &e) {
            if (!FLoading) Interaction().ShowError(e.Message());
        }
    }
    TableNameComboBox->Items()->SetStringList(names);
    TableNameComboBox->SetText(keep);
}

void TWizQueryEditForm::TableSearch() {
    SetModified();
    TDBOpenForm open(nullptr, this);
    open.Prepare(FAllowedTables.get());
    if (Interaction().ExecDialog(open) != QDialog::Accepted) return;
    FTableChanged = true;
    DatabaseComboBox->SetText(open.DatabaseName());
    DatabaseChanged();
    TableNameComboBox->SetText(open.TableName());
}
