#include "dialogs/data_field_parts.h"
#include "dialogs/property_form.h"

#include "model/datasource_lookup.h"
#include "model/lookup_helpers.h"

#include "dblib/data_source.h"
#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/list_controls.h"
#include "host/strings.h"

#include <functional>

namespace {

QList<TDataSet *> SourceDataSets(const TComponent *ReportForm) {
    QList<TDataSource *> sources;
    GetDatasourceList(ReportForm, sources);
    QList<TDataSet *> dataSets;
    for (const TDataSource *s : sources)
        if (s->DataSet() && !dataSets.contains(s->DataSet())) dataSets << s->DataSet();
    return dataSets;
}

}  // namespace

TDataSetChoice::TDataSetChoice(TPropertyForm &Form, const char *Name, const QString &Label,
                               const TComponent *ReportForm, TDataSet *Current, bool AllowNone) {
    Box = Form.Field<TComboBox>(Name, Label);
    Box->SetStyle(csDropDownList);
    if (AllowNone) {
        FDataSets << nullptr;
        Box->Items()->Add(Form.Message(QStringLiteral("None")));
    }
    for (TDataSet *ds : SourceDataSets(ReportForm)) FDataSets << ds;
    if (Current && !FDataSets.contains(Current)) FDataSets << Current;
    for (int i = AllowNone ? 1 : 0; i < FDataSets.size(); ++i) Box->Items()->Add(FDataSets[i]->Name());
    Box->SetItemIndex(int(FDataSets.indexOf(Current)));
}

TDataSet *TDataSetChoice::Selected() const {
    const int i = Box->currentIndex();
    return i >= 0 && i < FDataSets.size() ? FDataSets[i] : nullptr;
}

TDataFieldChoice::TDataFieldChoice(TPropertyForm &Form, const TComponent *ReportForm, TDataSet *Current,
                                   const QString &Field, bool Locked)
    : FDataSets(SourceDataSets(ReportForm)), FInitial(Current), FField(Field), FTag(new QObject) {
    if (FDataSets.size() < 2 && !FInitial && !FDataSets.isEmpty()) FInitial = FDataSets.first();
    DataSetBox = Form.Field<TComboBox>("DataSetComboBox", QStringLiteral("Dataset"));
    DataSetBox->SetStyle(csDropDownList);
    for (const TDataSet *ds : FDataSets) DataSetBox->Items()->Add(ds->Name());
    DataSetBox->SetItemIndex(int(FDataSets.indexOf(FInitial)));
    Form.ShowRow(DataSetBox, FDataSets.size() >= 2);
    DataSetBox->setEnabled(!Locked);
    FieldBox = Form.Field<TComboBox>("DataFieldComboBox", QStringLiteral("Data field"));
    FieldBox->SetStyle(csDropDownList);
    FieldBox->setEnabled(!Locked);
    Fill(FInitial);
    DataSetBox->SetOnChange(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([this](QObject *) {
                                                                 Fill(DataSet());
                                                             }),
                                                             FTag));
}

TDataFieldChoice::~TDataFieldChoice() {
    DataSetBox->SetOnChange(TMethod());
    delete FTag;
}

TDataSet *TDataFieldChoice::DataSet() const {
    if (FDataSets.size() < 2) return FInitial;
    const int i = DataSetBox->currentIndex();
    return i >= 0 && i < FDataSets.size() ? FDataSets[i] : FInitial;
}

QString TDataFieldChoice::FieldName() const {
    if (FieldBox->currentIndex() < 0) return FField;
    return FindField4DisplayLabel(DataSet(), FieldBox->currentText());
}

void TDataFieldChoice::Fill(TDataSet *DataSet) {
    QStringList labels;
    if (DataSet)
        for (const TField *f : DataSet->Fields())
            if (f->Visible()) labels << f->DisplayLabel();
    FieldBox->Items()->SetStringList(labels);
    int selected = 0;
    if (DataSet && !FField.isEmpty())
        if (const TField *f = DataSet->FindField(FField); f && f->Visible()) selected = int(labels.indexOf(f->DisplayLabel()));
    FieldBox->SetItemIndex(labels.isEmpty() ? -1 : qMax(selected, 0));
}
