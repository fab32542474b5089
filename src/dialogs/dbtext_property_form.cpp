// The data-field dialog: dataset and field (by display label), display format, the size and
// wrapping switches, alignment, font, colour and the suppression of repeated or zero values.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/element_access.h"
#include "model/datasource_lookup.h"
#include "model/lookup_helpers.h"
#include "model/vendamo_text_elements.h"

#include "dblib/data_source.h"
#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <functional>

namespace {

// The display labels of a dataset's visible fields, in field order.
QStringList VisibleLabels(const TDataSet *DataSet) {
    QStringList labels;
    if (DataSet)
        for (const TField *f : DataSet->Fields())
            if (f->Visible()) labels << f->DisplayLabel();
    return labels;
}

// Autostretch applies to text: memo and string fields, or a field not (yet) known.
bool Stretchable(const TDataSet *DataSet, const QString &FieldName) {
    if (FieldName.isEmpty() || !DataSet) return true;
    const TField *f = DataSet->FindField(FieldName);
    return !f || f->DataType() == ftMemo || f->DataType() == ftString;
}

}  // namespace

bool EditDBTextProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *text = Element ? qobject_cast<TVendamoDBText *>(Element->Object()) : nullptr;
    if (!text) return false;
    QList<TDataSource *> sources;
    GetDatasourceList(text->Owner(), sources);
    // With at most one source there is no choice: an element without a dataset takes it.
    TDataSet *dataSet = text->DataSet();
    if (sources.size() < 2 && !dataSet && !sources.isEmpty()) dataSet = sources.first()->DataSet();

    const QString datafield = QStringLiteral("Datafield");
    TPropertyForm form(Designer, Owner, QStringLiteral("DBTextPropertyForm"), QStringLiteral("Datafield"));
    form.setWindowTitle(dataSet ? dataSet->Name() + QLatin1Char(' ') + form.Message(datafield) : form.Message(datafield));
    TFont font(nullptr);
    font.Assign(text->Font());
    TColor color = text->Color();
    const bool locked = ElementFlag(text, QStringLiteral("BlockChange"));

    auto *dataSetBox = form.Field<TComboBox>("DataSetComboBox", QStringLiteral("Dataset"));
    dataSetBox->SetStyle(csDropDownList);
    for (const TDataSource *s : sources) dataSetBox->Items()->Add(s->DataSet() ? s->DataSet()->Name() : QString());
    for (int i = 0; i < sources.size(); ++i)
        if (sources[i]->DataSet() == dataSet) dataSetBox->SetItemIndex(i);
    form.ShowRow(dataSetBox, sources.size() >= 2);
    dataSetBox->setEnabled(!locked);
    auto *fieldBox = form.Field<TComboBox>("DataFieldComboBox", QStringLiteral("Data field"));
    fieldBox->SetStyle(csDropDownList);
    fieldBox->setEnabled(!locked);
    if (sources.size() < 2) fieldBox->setMinimumWidth(433);
    auto fillFields = [=](TDataSet *ds) {
        fieldBox->Items()->SetStringList(VisibleLabels(ds));
        int selected = 0;
        if (ds && !text->DataField().isEmpty()) {
            const TField *f = ds->FindField(text->DataField());
            if (f && f->Visible()) selected = int(fieldBox->Items()->ToStringList().indexOf(f->DisplayLabel()));
        }
        fieldBox->SetItemIndex(fieldBox->count() > 0 ? qMax(selected, 0) : -1);
    };
    fillFields(dataSet);
    dataSetBox->SetOnChange(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([=](QObject *) {
                                                                 const int i = dataSetBox->currentIndex();
                                                                 if (i >= 0 && i < sources.size()) fillFields(sources[i]->DataSet());
                                                             }),
                                                             text));

    auto *mask = form.Field<TEdit>("FormatEdit", QStringLiteral("Display format"));
    mask->setText(text->Mask());
    auto *autosize = form.Check("AutosizeCheckBox", QStringLiteral("Autosize width"));
    autosize->setChecked(text->AutoSize());
    auto *wordwrap = form.Check("WordwrapCheckBox", QStringLiteral("Automatic wordwrap"));
    wordwrap->setChecked(text->WordWrap());
    auto *transparent = form.Check("TransparentCheckBox", QStringLiteral("Transparent"));
    transparent->setChecked(text->Transparent());
    auto *autostretch = form.Check("AutostretchCheckBox", QStringLiteral("Autostretch height"));
    autostretch->setChecked(text->AutoStretch());
    autostretch->setVisible(Stretchable(dataSet, text->DataField()));
    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(text->Alignment()));
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);

    auto *suppress = form.Check("SuppressCheckBox", QStringLiteral("Suppress printing of repeated values"));
    auto *newPage = form.Check("ReprintPageCheckBox", QStringLiteral("Reprint on new page"));
    auto *newGroup = form.Check("ReprintGroupCheckBox", QStringLiteral("Reprint on new group"));
    auto *blankZero = form.Check("BlankIfZeroCheckBox", QStringLiteral("Suppress printing if value of data field is 0"));
    suppress->setChecked(text->SuppressRepeatedValues());
    blankZero->setChecked(text->BlankIfZero());
    // The reprint switches mean something only while repeated values are suppressed.
    auto interlock = [=] {
        const bool on = suppress->isChecked();
        newPage->setEnabled(on);
        newGroup->setEnabled(on);
        newPage->setChecked(on && text->ReprintOnNewPage());
        newGroup->setChecked(on && text->ReprintOnNewGroup());
    };
    interlock();
    QObject::connect(suppress, &QCheckBox::toggled, newPage, interlock);
    form.Finish(QStringLiteral("DBTextPropertyForm"));
    if (!form.Run()) return false;

    TDataSet *chosen = dataSet;
    if (dataSetBox->isVisible() || sources.size() >= 2) {
        const int i = dataSetBox->currentIndex();
        if (i >= 0 && i < sources.size()) chosen = sources[i]->DataSet();
    }
    text->SetDataSet(chosen);
    if (fieldBox->currentIndex() >= 0) text->SetDataField(FindField4DisplayLabel(chosen, fieldBox->currentText()));
    text->SetSuppressRepeatedValues(suppress->isChecked());
    text->SetReprintOnNewPage(newPage->isChecked());
    text->SetReprintOnNewGroup(newGroup->isChecked());
    text->SetBlankIfZero(blankZero->isChecked());
    text->SetWordWrap(wordwrap->isChecked());
    text->SetMask(mask->text());
    if (autostretch->isVisible() || Stretchable(chosen, text->DataField())) text->SetAutoStretch(autostretch->isChecked());
    text->SetAutoSize(autosize->isChecked());
    text->SetTransparent(transparent->isChecked());
    if (alignment->currentIndex() >= 0) text->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    text->SetFont(&font);
    text->SetColor(color);
    text->update();
    return true;
}
