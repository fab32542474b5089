#pragma once
// The "SQL Wizard": five pages that define a wizard query without SQL (database and table, up
// to three sort fields, up to ten filter rows joined by AND/OR), show the SQL it makes and
// preview its rows. Pages can be hidden; the remaining ones keep their order.
#include <QDialog>
#include <QList>
#include <memory>
#include <optional>

#include "dblib/wiz_query.h"
#include "host/component.h"

class QTableView;
class QLabel;
class TButton;
class TComboBox;
class TDatasetItemModel;
class TEdit;
class TMemo;
class TPageControl;
class TRadioButton;
class TScrollBox;
class TStringList;
class TStrings;
class TTabSheet;
class TTable;

class TWizQueryEditForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    enum TWizPage { wpTable, wpSort, wpFilter, wpSQL, wpPreview };
    static constexpr int PageCount = 5;
    static constexpr int SortRows = 3;
    static constexpr int FilterRows = 10;

    explicit TWizQueryEditForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);
    ~TWizQueryEditForm() override;

    // The comparison items of the filter rows, in item order, and the operator of each.
    static const QStringList &ComparisonItems();
    static TWizQueryFilterOperator ItemOperator(int Item);
    // The item of an operator; BETWEEN and IN have none and show as item 0.
    static int OperatorItem(TWizQueryFilterOperator Operator);

    // Tables the dialog may offer (empty: all) and the name=label map of field display labels.
    TStringList *AllowedTables() const { return FAllowedTables.get(); }
    TStringList *DisplayLabels() const { return FDisplayLabels.get(); }

    void GetSettingsFromQuery(TWizQuery *Query);
    void AssignSettingsToQuery(TWizQuery *Query);
    // Removes the pages whose flag is false; the others keep their order.
    void SetVisiblePages(bool Table, bool Sort, bool Filter, bool SQL, bool Preview);
    // The notebook index of a page, -1 when it is hidden.
    int PageIndex(TWizPage Page) const { return FPageIndex[Page]; }
    // Builds the field lists from the fields of the chosen table (the preview table, which
    // reads no rows); false when no table is chosen. Raises the database's error for a table
    // that cannot be read.
    bool NewDataset();
    // Packs the filled filter rows at the top and enables what may be used next.
    void CheckFilterComboboxes();
    // Switches to a notebook page through the same checks as a click on its tab; false when
    // the change was refused.
    bool ShowPage(int Index);
    int CurrentPage() const;

    // The handlers of the table page.
    void DatabaseChanged();
    void TableSearch();

    bool Modified() const { return FModified; }
    bool TableChanged() const { return FTableChanged; }
    TTable *PreviewTable() const { return FPreviewTable; }
    TWizQuery *TempQuery() const { return FTempQuery; }
    TDatasetItemModel *PreviewModel() const { return FPreviewModel; }

    TPageControl *Notebook;
    TTabSheet *Pages[PageCount];
    TEdit *NameEdit;
    TComboBox *DatabaseComboBox, *TableNameComboBox;
    TButton *TableSearchButton;
    TComboBox *SortFieldComboBox[SortRows];
    TRadioButton *AscendingRadioButton[SortRows], *DescendingRadioButton[SortRows];
    TScrollBox *FilterScrollBox;
    // Row i (0-based) of the filter page; BoolOpCombobox[i] joins row i + 1 to the rows above.
    TComboBox *FieldCombobox[FilterRows], *CompCombobox[FilterRows];
    TEdit *ValueEdit[FilterRows];
    TComboBox *BoolOpCombobox[FilterRows - 1];
    TMemo *SQLMemo;
    QTableView *PreviewGrid;
    QLabel *RecordCountLabel;
    TButton *OKButton, *CancelButton;

public slots:
    // OK: refused with a new query that has no table yet.
    void accept() override;

private:
    void BuildTablePage();
    void BuildSortPage();
    void BuildFilterPage();
    void BuildSqlPage();
    void BuildPreviewPage();
    void FindRowControls();
    bool PageShown(TWizPage Page) const { return FPageIndex[Page] >= 0; }
    bool AllowPageChange(int Index);
    void PageChanged(int Index);
    void ClosePreview();
    QString FieldNameOf(const QString &Label) const;
    QString LabelOf(const QString &FieldName) const;
    void SetModified() { FModified = true; }
    // The user changed the field, comparison or value of a filter row: the condition loaded
    // into it no longer stands as it was.
    void TouchRow(int Row);
    void MoveRow(int From, int To);
    void ClearRow(int Row);
    void UpdateRecordCount();

    int FPageIndex[PageCount];
    int FShownPage = 0;
    bool FChangingPage = false;
    bool FLoading = false;
    std::unique_ptr<TStringList> FAllowedTables, FDisplayLabels;
    TTable *FPreviewTable = nullptr;
    TWizQuery *FTempQuery = nullptr;
    TDatasetItemModel *FPreviewModel = nullptr;
    TWizQuery *FQuery = nullptr;  // the query whose settings were loaded
    QString FLoadedTableName, FLoadedDatabaseName;
    bool FModified = false;
    bool FTableChanged = true;
    // The stored condition each filter row shows while the user leaves the row alone; it is
    // written back as it was (operators without an item, values, the case flag).
    std::optional<TWizQueryFilter> FRowCondition[FilterRows];
};
