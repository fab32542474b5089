#include "data/parameter_form.h"
#include "data/named_controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/data_messages.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/exceptions.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/form_translation.h"

const QList<QPair<QString, TFieldType>> &TDBSetupForm4::TypeItems() {
    // "Curreny" is the stored spelling, which language files translate by.
    static const QList<QPair<QString, TFieldType>> items = {
        {QStringLiteral("BCD"), ftBCD},           {QStringLiteral("Boolean"), ftBoolean},
        {QStringLiteral("Curreny"), ftCurrency},  {QStringLiteral("Date"), ftDate},
        {QStringLiteral("DateTime"), ftDateTime}, {QStringLiteral("Integer"), ftInteger},
        {QStringLiteral("Float"), ftFloat},       {QStringLiteral("Smallint"), ftSmallint},
        {QStringLiteral("String"), ftString},     {QStringLiteral("Time"), ftTime},
        {QStringLiteral("Word"), ftWord}};
    return items;
}

TDBSetupForm4::TDBSetupForm4(TComponent *AOwner, QWidget *parent) : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("DBSetupForm4"));
    setWindowTitle(QStringLiteral("Parameters"));
    ParamListBox = Named(new TListBox(this), "ParamListBox");
    TypeComboBox = Named(new TComboBox(this), "TypeComboBox");
    TypeComboBox->SetStyle(csDropDownList);
    for (const auto &item : TypeItems()) TypeComboBox->Items()->Add(item.first);
    ValueEdit = Named(new TEdit(this), "ValueEdit");
    ValueRadioButton = Named(new TRadioButton(this), "ValueRadioButton");
    ValueRadioButton->setText(QStringLiteral("Value:"));
    AskRadioButton = Named(new TRadioButton(this), "AskRadioButton");
    AskRadioButton->setText(QStringLiteral("Ask for value before printing"));
    MasterRadioButton = Named(new TRadioButton(this), "MasterRadioButton");
    MasterRadioButton->setText(QStringLiteral("Assign value from master dataset"));
    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));

    auto *typeLabel = Named(new TLabel(this), "TypeLabel");
    typeLabel->setText(QStringLiteral("Data type:"));
    typeLabel->setBuddy(TypeComboBox);
    auto *right = new QGridLayout;
    right->addWidget(typeLabel, 0, 0);
    right->addWidget(TypeComboBox, 0, 1);
    right->addWidget(ValueRadioButton, 1, 0);
    right->addWidget(ValueEdit, 1, 1);
    right->addWidget(AskRadioButton, 2, 0, 1, 2);
    right->addWidget(MasterRadioButton, 3, 0, 1, 2);
    right->setRowStretch(4, 1);
    auto *columns = new QHBoxLayout;
    columns->addWidget(ParamListBox, 1);
    columns->addLayout(right, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    resize(520, 240);

    connect(ParamListBox, &QListWidget::currentRowChanged, this, &TDBSetupForm4::ShowCurrent);
    connect(TypeComboBox, &QComboBox::activated, this, &TDBSetupForm4::ChooseType);
    for (TRadioButton *b : {ValueRadioButton, AskRadioButton, MasterRadioButton})
        connect(b, &QAbstractButton::clicked, this, &TDBSetupForm4::ChooseSource);
    connect(ValueEdit, &QLineEdit::editingFinished, this, [this] {
        if (!FShowing && ValueEdit->isEnabled()) StoreValue();
    });
    connect(OKButton, &QPushButton::clicked, this, [this] {
        if (!ValueEdit->isEnabled() || StoreValue()) accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    TranslateForm(this, QStringLiteral("DBSetupForm4"));
}

void TDBSetupForm4::Prepare(const TParams &Params, TVDMDesigner *Designer) {
    FParams = Params;
    FDesigner = Designer;
    ParamListBox->Items()->Clear();
    for (int i = 0; i < FParams.Count(); ++i) ParamListBox->Items()->Add(FParams[i].Name());
    ParamListBox->SetItemIndex(FParams.Count() > 0 ? 0 : -1);
    ShowCurrent();
}

TParam *TDBSetupForm4::Current() const {
    const int row = ParamListBox->currentRow();
    return row >= 0 && row < FParams.Count() ? &FParams[row] : nullptr;
}

void TDBSetupForm4::ShowCurrent() {
    FShowing = true;
    const TParam *param = Current();
    int type = -1;
    for (int i = 0; param && i < TypeItems().size(); ++i)
        if (TypeItems().at(i).second == param->DataType()) type = i;
    TypeComboBox->SetItemIndex(type);
    const bool hasValue = param && param->Bound() && !param->IsNull();
    ValueRadioButton->setChecked(hasValue);
    AskRadioButton->setChecked(param && param->Bound() && param->IsNull());
    MasterRadioButton->setChecked(param && !param->Bound());
    ValueEdit->setEnabled(hasValue);
    ValueEdit->setText(hasValue ? param->AsString() : QString());
    FShowing = false;
}

bool TDBSetupForm4::StoreValue() {
    TParam *param = Current();
    if (!param) return true;
    try {
        param->SetText(ValueEdit->text());
    } catch (const EConvertError &) {
        ShowDataError(FDesigner, QStringLiteral("Invalid value for datatype"));
        return false;
    }
    return true;
}

void TDBSetupForm4::ChooseSource() {
    TParam *param = Current();
    if (!param) return;
    if (ValueRadioButton->isChecked()) {
        ValueEdit->setEnabled(true);
        param->SetBound(true);
        return;
    }
    ValueEdit->clear();
    ValueEdit->setEnabled(false);
    param->Clear();
    param->SetBound(AskRadioButton->isChecked());
}

void TDBSetupForm4::ChooseType() {
    TParam *param = Current();
    const int item = TypeComboBox->currentIndex();
    if (!param || item < 0) return;
    param->SetDataType(TypeItems().at(item).second);
    if (ValueEdit->isEnabled()) StoreValue();
}
