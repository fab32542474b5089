#include "data/field_edit_forms.h"
#include "data/named_controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "host/button_controls.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/property_access.h"
#include "host/text_controls.h"
#include "model/form_translation.h"
#include "persist/field_definitions.h"

namespace {

constexpr int MaxStringSize = 255;
const QString DisplayFormatProperty = QStringLiteral("DisplayFormat");
const QString PrecisionProperty = QStringLiteral("Precision");

// Drops typed characters other than digits and control characters.
class TDigitFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress)
            for (const QChar c : static_cast<QKeyEvent *>(event)->text())
                if ((c < u'0' || c > u'9') && c.unicode() >= 32) return true;
        return QObject::eventFilter(watched, event);
    }
};

void SetUsable(QWidget *edit, QWidget *label, bool usable) {
    edit->setEnabled(usable);
    label->setEnabled(usable);
}

}  // namespace

// ---- shared display settings ---------------------------------------------------------------

TFieldSettingsForm::TFieldSettingsForm(const QString &Name, const QString &Caption, QWidget *parent)
    : QDialog(parent), TComponent(nullptr) {
    SetName(Name);
    setWindowTitle(Caption);
    LabelEdit = Named(new TEdit(this), "LabelEdit");
    FormatEdit = Named(new TEdit(this), "FormatEdit");
    PrecisionEdit = Named(new TEdit(this), "PrecisionEdit");
    DigitsOnly(PrecisionEdit);
    LabelLabel = Label("LabelLabel", "&Label:", LabelEdit);
    FormatLabel = Label("FormatLabel", "&Format:", FormatEdit);
    PrecisionLabel = Label("PrecisionLabel", "&Precision:", PrecisionEdit);
    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TLabel *TFieldSettingsForm::Label(const char *Name, const char *Caption, QWidget *Buddy) {
    auto *l = Named(new TLabel(this), Name);
    l->setText(QString::fromLatin1(Caption));
    l->setBuddy(Buddy);
    return l;
}

void TFieldSettingsForm::DigitsOnly(TEdit *Edit) {
    Edit->installEventFilter(new TDigitFilter(Edit));
    // Pasted text is held to digits as well.
    Edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit));
}

void TFieldSettingsForm::FinishLayout(QLayout *Content) {
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(Content);
    layout->addStretch();
    layout->addLayout(buttons);
}

void TFieldSettingsForm::ShowSettings(const TField *Field) {
    LabelEdit->setText(Field->DisplayLabel());
    const bool hasFormat = PropertyExists(Field, DisplayFormatProperty);
    FormatEdit->setText(hasFormat ? GetStringProperty(Field, DisplayFormatProperty) : QString());
    SetUsable(FormatEdit, FormatLabel, hasFormat);
    const bool hasPrecision = PropertyExists(Field, PrecisionProperty);
    PrecisionEdit->setText(hasPrecision ? QString::number(GetIntegerProperty(Field, PrecisionProperty))
                                        : QString());
    SetUsable(PrecisionEdit, PrecisionLabel, hasPrecision);
}

void TFieldSettingsForm::WriteSettings(TField *Field) const {
    Field->SetDisplayLabel(LabelEdit->text());
    if (PropertyExists(Field, DisplayFormatProperty))
        SetStringProperty(Field, DisplayFormatProperty, FormatEdit->text());
    bool number = false;
    const int precision = PrecisionEdit->text().toInt(&number);
    if (number && PropertyExists(Field, PrecisionProperty))
        SetIntegerProperty(Field, PrecisionProperty, precision);
}

// ---- data field ----------------------------------------------------------------------------

TFieldEditForm::TFieldEditForm(QWidget *parent)
    : TFieldSettingsForm(QStringLiteral("FieldEditForm"), QStringLiteral(" "), parent) {
    auto *grid = new QGridLayout;
    grid->addWidget(LabelLabel, 0, 0);
    grid->addWidget(LabelEdit, 0, 1);
    grid->addWidget(FormatLabel, 1, 0);
    grid->addWidget(FormatEdit, 1, 1);
    grid->addWidget(PrecisionLabel, 2, 0);
    grid->addWidget(PrecisionEdit, 2, 1);
    FinishLayout(grid);
    resize(340, 150);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    TranslateForm(this, QStringLiteral("FieldEditForm"));
}

// ---- calculated field ----------------------------------------------------------------------

const QList<const QMetaObject *> &TCalcFieldEditForm::FieldClasses() {
    static const QList<const QMetaObject *> classes = {
        &TStringField::staticMetaObject,   &TSmallintField::staticMetaObject,
        &TIntegerField::staticMetaObject,  &TWordField::staticMetaObject,
        &TBooleanField::staticMetaObject,  &TFloatField::staticMetaObject,
        &TCurrencyField::staticMetaObject, &TDateField::staticMetaObject,
        &TTimeField::staticMetaObject,     &TBlobField::staticMetaObject};
    return classes;
}

int TCalcFieldEditForm::TypeItemOfDataType(int DataType) {
    switch (DataType) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 3:
            return 2;
        case 4:
            return 3;
        case 5:
            return 4;
        case 6:
            return 5;
        case 7:
            return 6;
        case 9:
            return 7;
        case 10:
            return 8;
        case 15:
            return 9;
        default:
            return -1;
    }
}

TCalcFieldEditForm::TCalcFieldEditForm(QWidget *parent)
    : TCalcFieldEditForm(QStringLiteral("CalcFieldEditFormForm"),
                         QStringLiteral("Hardcoded calculated field"), parent) {
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    TranslateForm(this, QStringLiteral("CalcFieldEditFormForm"));
}

TCalcFieldEditForm::TCalcFieldEditForm(const QString &Name, const QString &Caption, QWidget *parent)
    : TFieldSettingsForm(Name, Caption, parent) {
    Build();
}

void TCalcFieldEditForm::Build() {
    NameEdit = Named(new TEdit(this), "NameEdit");
    TypeCombo = Named(new TComboBox(this), "TypeCombo");
    TypeCombo->SetStyle(csDropDownList);
    TypeCombo->Items()->SetText(
        QStringLiteral("StringField\nSmallintField\nIntegerField\nWordField\nBooleanField\n"
                       "FloatField\nCurrencyField\nDateField\nTimeField\nBlobField"));
    SizeEdit = Named(new TEdit(this), "SizeEdit");
    DigitsOnly(SizeEdit);
    Grid = new QGridLayout;
    Grid->addWidget(Label("NameLabel", "&Name:", NameEdit), 0, 0);
    Grid->addWidget(NameEdit, 0, 1);
    Grid->addWidget(LabelLabel, 1, 0);
    Grid->addWidget(LabelEdit, 1, 1);
    Grid->addWidget(Label("TypeLabel", "Field &type:", TypeCombo), 2, 0);
    Grid->addWidget(TypeCombo, 2, 1);
    Grid->addWidget(Label("SizeLabel", "&Size:", SizeEdit), 3, 0);
    Grid->addWidget(SizeEdit, 3, 1);
    Grid->addWidget(FormatLabel, 4, 0);
    Grid->addWidget(FormatEdit, 4, 1);
    Grid->addWidget(PrecisionLabel, 5, 0);
    Grid->addWidget(PrecisionEdit, 5, 1);
    Grid->setColumnStretch(1, 1);
    FinishLayout(Grid);
    resize(380, 240);
    connect(TypeCombo, &QComboBox::currentIndexChanged, this, &TCalcFieldEditForm::TypeChanged);
    TypeCombo->SetItemIndex(0);
    TypeChanged();
}

void TCalcFieldEditForm::TypeChanged() {
    const bool isString = TypeCombo->currentIndex() == 0;
    SizeEdit->setEnabled(isString);
    SetUsable(FormatEdit, FormatLabel, !isString);
    SetUsable(PrecisionEdit, PrecisionLabel, !isString);
}

void TCalcFieldEditForm::ShowField(const TField *Field) {
    NameEdit->setText(Field->FieldName());
    NameEdit->setEnabled(false);
    SizeEdit->setText(QString::number(Field->Size()));
    TypeCombo->SetItemIndex(TypeItemOfDataType(Field->DataType()));
    ShowSettings(Field);
    TypeCombo->setEnabled(false);
    SizeEdit->setEnabled(false);
}

int TCalcFieldEditForm::ChosenSize() const {
    if (TypeCombo->currentIndex() != 0) return 0;
    if (SizeEdit->text().isEmpty()) return MaxStringSize;
    return qMin(SizeEdit->text().toInt(), MaxStringSize);
}

int TCalcFieldEditForm::ChosenPrecision() const { return PrecisionEdit->text().toInt(); }

const QMetaObject *TCalcFieldEditForm::ChosenClass() const {
    return FieldClasses().value(TypeCombo->currentIndex(), nullptr);
}

// ---- lookup field --------------------------------------------------------------------------

TLookupFieldEditForm::TLookupFieldEditForm(QWidget *parent)
    : TCalcFieldEditForm(QStringLiteral("LookupFieldEditForm"), QStringLiteral("Lookup field"), parent) {
    auto combo = [this](const char *name) {
        auto *c = Named(new TComboBox(this), name);
        c->SetStyle(csDropDown);
        return c;
    };
    KeyFieldCombo = combo("KeyFieldCombo");
    DatasetCombo = combo("DatasetCombo");
    DatasetCombo->SetStyle(csDropDownList);
    LookupKeyCombo = combo("LookupKeyCombo");
    ResultFieldCombo = combo("ResultFieldCombo");
    Grid->addWidget(Label("KeyFieldLabel", "&Key Field:", KeyFieldCombo), 6, 0);
    Grid->addWidget(KeyFieldCombo, 6, 1);
    Grid->addWidget(Label("DatasetLabel", "&Dataset:", DatasetCombo), 7, 0);
    Grid->addWidget(DatasetCombo, 7, 1);
    Grid->addWidget(Label("LookupKeyLabel", "Lookup K&ey:", LookupKeyCombo), 8, 0);
    Grid->addWidget(LookupKeyCombo, 8, 1);
    Grid->addWidget(Label("ResultFieldLabel", "&Result field:", ResultFieldCombo), 9, 0);
    Grid->addWidget(ResultFieldCombo, 9, 1);
    resize(400, 360);
    connect(DatasetCombo, &QComboBox::activated, this, &TLookupFieldEditForm::DatasetChosen);
    connect(OKButton, &QPushButton::clicked, this, [this] {
        if (Apply()) accept();
    });
    TranslateForm(this, QStringLiteral("LookupFieldEditForm"));
}

void TLookupFieldEditForm::Prepare(TDataSet *DataSet, TVDMDesigner *Designer,
                                   const QList<TDataSource *> &Sources) {
    FDataSet = DataSet;
    FDesigner = Designer;
    KeyFieldCombo->Items()->Clear();
    for (const QString &name : DataSet->FieldDefs().Names()) KeyFieldCombo->Items()->Add(name);
    DatasetCombo->Items()->Clear();
    FLookupSets.clear();
    for (const TDataSource *source : Sources)
        if (source->DataSet() && source->DataSet() != DataSet) {
            FLookupSets << source->DataSet();
            DatasetCombo->Items()->Add(source->DataSet()->Name());
        }
    DatasetCombo->SetItemIndex(-1);
}

void TLookupFieldEditForm::DatasetChosen() {
    TDataSet *set = FLookupSets.value(DatasetCombo->currentIndex(), nullptr);
    for (TComboBox *combo : {LookupKeyCombo, ResultFieldCombo}) {
        combo->Items()->Clear();
        if (set)
            for (const QString &name : set->FieldDefs().Names()) combo->Items()->Add(name);
        combo->SetItemIndex(-1);
        combo->SetText(QString());
    }
}

bool TLookupFieldEditForm::New() {
    FField = nullptr;
    setWindowTitle(QStringLiteral("New Lookup field"));
    TypeCombo->SetItemIndex(0);
    TypeCombo->setEnabled(true);
    return Interaction().ExecDialog(*this) == QDialog::Accepted;
}

bool TLookupFieldEditForm::Edit(TField *Field) {
    FField = Field;
    setWindowTitle(QStringLiteral("Edit Lookup field"));
    NameEdit->setText(Field->FieldName());
    NameEdit->setEnabled(false);
    SizeEdit->setText(QString::number(Field->Size()));
    TypeCombo->SetItemIndex(int(FieldClasses().indexOf(Field->metaObject())));
    ShowSettings(Field);
    TypeCombo->setEnabled(false);
    KeyFieldCombo->SetText(Field->KeyFields());
    DatasetCombo->SetItemIndex(int(FLookupSets.indexOf(Field->LookupDataSet())));
    DatasetChosen();
    LookupKeyCombo->SetText(Field->LookupKeyFields());
    ResultFieldCombo->SetText(Field->LookupResultField());
    return Interaction().ExecDialog(*this) == QDialog::Accepted;
}

bool TLookupFieldEditForm::Apply() {
    const QString name = NameEdit->text().trimmed();
    if (name.isEmpty()) {
        ShowDataError(FDesigner, QStringLiteral("Invalid name"));
        return false;
    }
    TDataSet *lookupSet = FLookupSets.value(DatasetCombo->currentIndex(), nullptr);
    if (DatasetCombo->currentText().isEmpty() || !lookupSet) {
        ShowDataError(FDesigner, QStringLiteral("Invalid dataset"));
        return false;
    }
    if (!FField && FDataSet->FindField(name)) {
        // A new field never merges into an existing one of the same name.
        ShowDataError(FDesigner, QStringLiteral("Invalid name"));
        return false;
    }
    bool precisionOk = true;
    const int precision = PrecisionEdit->text().isEmpty() ? 0 : PrecisionEdit->text().toInt(&precisionOk);
    if (!precisionOk) {
        Interaction().ShowError(
            QStringLiteral("'%1' is not a valid integer value").arg(PrecisionEdit->text()));
        return false;
    }
    TFieldPropList saved;
    PutFieldsToList(FDataSet, saved);
    const bool wasActive = FDataSet->Active();
    FDataSet->Close();
    TField *field = FField;
    try {
        if (!field) {
            field = CreateCalcField(nullptr, FDataSet, name, quint16(precision), FormatEdit->text(),
                                    LabelEdit->text(), quint16(ChosenSize()), ChosenClass());
            if (!field) throw EComponentError(QStringLiteral("Invalid name"));
        }
        WriteSettings(field);
        if (field->DataType() == ftString) field->SetSize(ChosenSize());
        field->SetLookup(true);
        field->SetLookupDataSet(lookupSet);
        field->SetKeyFields(KeyFieldCombo->currentText());
        field->SetLookupKeyFields(LookupKeyCombo->currentText());
        field->SetLookupResultField(ResultFieldCombo->currentText());
        const QString componentName = FDataSet->Name() + name;
        if (field->Name() != componentName && TComponent::IsValidIdent(componentName) &&
            !(field->Owner() && field->Owner()->FindComponent(componentName)))
            field->SetName(componentName);
        CreateFieldsFromList(FDataSet, saved);
        if (wasActive) FDataSet->Open();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
        return false;
    }
    field->SetVisible(true);
    return true;
}

// ---- field selection -----------------------------------------------------------------------

TFieldSelectForm::TFieldSelectForm(QWidget *parent) : QDialog(parent), TComponent(nullptr) {
    SetName(QStringLiteral("FieldSelectForm"));
    setWindowTitle(QStringLiteral("Select a field"));
    ListBox1 = Named(new TListBox(this), "ListBox1");
    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(260, 300);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    TranslateForm(this, QStringLiteral("FieldSelectForm"));
}
