#pragma once
// The report expert ("New report definition"): eight pages that choose a report kind, the main
// dataset (a table, a wizard query or an SQL query), its sort index, the fields, bands, page
// options, fonts and lines, and then generate the report's layout on the designer's report.
#include <QDialog>
#include <QStringList>

#include "host/component.h"

class QLabel;
class QStackedWidget;
class TButton;
class TCheckBox;
class TComboBox;
class TDataSet;
class TDataSource;
class TEdit;
class TEnhancedListbox;
class TFont;
class TGroupBox;
class TMemo;
class TRadioButton;
class TRadioGroup;
class TVDMDesigner;
class TExpertSample;

class TVendamoExpertForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    enum TExpertPage { epReportType, epDataset, epTableIndex, epDatafields, epBands, epOptions, epFonts, epFinish };
    static constexpr int PageCount = 8;

    explicit TVendamoExpertForm(TVDMDesigner *Designer, QWidget *parent = nullptr);
    ~TVendamoExpertForm() override;

    int CurrentPage() const;
    // "Next >>" and "<< Back" with their checks and skips; Next returns false when it stayed.
    bool NextPage();
    void PreviousPage();
    // Whether a page is passed over in the current choice.
    bool Skipped(int Page) const;
    // Regenerates the report from the current choices.
    void CreateReport();
    // The generated main dataset and its data source (owned by the designer's form).
    TDataSet *MainDataset() const { return FDataset; }
    TDataSource *MainDataSource() const { return FDataSource; }
    bool DatasetChanged() const { return FDatasetChanged; }
    void SetDatasetChanged() { FDatasetChanged = true; }
    // A click on "Table" or "Query".
    void DatasetKindClick(QObject *Sender);
    // The used fields as their list shows them.
    QStringList UsedFields() const;

    TFont *LabelFont() const { return FLabelFont; }
    TFont *DataFont() const { return FDataFont; }

    QStackedWidget *Notebook;
    TRadioButton *ListRadioButton, *FormRadioButton, *SingleFormRadioButton, *TabularRadioButton, *BlankRadioButton;
    TComboBox *DatabaseComboBox;
    TRadioGroup *DatasetRadioGroup;
    QStackedWidget *DatasetNotebook;
    TComboBox *TableNameComboBox;
    TButton *TableSearchButton;
    TMemo *SQLMemo;
    TButton *CustomSQLButton;
    TGroupBox *IndexGroupBox, *WizardGroupBox;
    TComboBox *TableIndexComboBox;
    TButton *WizardButton;
    TEnhancedListbox *AvailFieldsListBox, *UsedFieldsListBox;
    TButton *AddButton, *AddAllButton, *RemoveButton, *RemoveAllButton, *UpButton, *DownButton;
    TCheckBox *TitleCheckBox, *PageheaderCheckBox, *PagefooterCheckBox, *SummaryCheckBox, *DetailCheckBox;
    TRadioGroup *OrientationRadioGroup;
    TEdit *ColumnEdit, *ColumnSpacingEdit, *ReportTitleEdit;
    TButton *LabelFontButton, *DataFontButton;
    TCheckBox *HLineCheckBox, *VLineCheckBox, *BoxCheckBox;
    TExpertSample *SamplePicture;
    TButton *PreviewButton;
    QLabel *ThumbnailLabel;
    TButton *BackButton, *NextButton, *FinishButton, *CancelButton;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QWidget *BuildReportTypePage();
    QWidget *BuildDatasetPage();
    QWidget *BuildIndexPage();
    QWidget *BuildFieldsPage();
    QWidget *BuildBandsPage();
    QWidget *BuildOptionsPage();
    QWidget *BuildFontsPage();
    QWidget *BuildFinishPage();
    void ShowPage(int Page);
    void UpdateButtons();
    bool IsQuery() const;
    bool IsTable() const;
    // Leaving the dataset page: the dataset for the current choice, opened, with its fields.
    void CreateDataset();
    void FillFieldLists();
    void FillIndexList();
    void EditSortAndFilter();
    void EditCustomSQL();
    void ChooseFont(TFont *Font);
    void Preview();
    void UpdateThumbnail();
    void MoveFields(TEnhancedListbox *From, TEnhancedListbox *To, bool All);
    QString Message(const QString &Key) const;

    TVDMDesigner *FDesigner;
    bool FBuilt = false;
    TDataSet *FDataset = nullptr;
    TDataSource *FDataSource = nullptr;
    bool FDatasetChanged = true;
    bool FDatasetIsQuery = false;
    QString FIndexChoice;
    TFont *FLabelFont, *FDataFont;
};

// The designer's command for a new report made with the expert: empties the report, runs the
// expert and returns whether the user finished it. A finished report counts as changed.
bool VendamoReportExpert(TVDMDesigner *Designer);
