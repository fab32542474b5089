#include "data/linked_fields_form.h"
#include "data/named_controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "dblib/dataset.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/form_translation.h"

namespace {

QStringList SplitList(const QString &list) { return list.split(QLatin1Char(';'), Qt::SkipEmptyParts); }

}  // namespace

TDBSetupFieldlistForm::TDBSetupFieldlistForm(TComponent *AOwner, QWidget *parent)
    : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("DBSetupFieldListForm"));
    setWindowTitle(QStringLiteral("Linked fields"));
    MasterFieldComboBox = Named(new TComboBox(this), "MasterFieldComboBox");
    MasterFieldComboBox->SetStyle(csDropDownList);
    DetailFieldEdit = Named(new TEdit(this), "DetailFieldEdit");
    DetailFieldEdit->setReadOnly(true);
    AddButton = Named(new TButton(this), "AddButton");
    AddButton->setText(QStringLiteral("&Add"));
    ClearButton = Named(new TButton(this), "ClearButton");
    ClearButton->setText(QStringLiteral("&Clear"));
    JoinedFieldsListBox = Named(new TListBox(this), "JoinedFieldsListBox");
    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(BuddyLabel(this, "MasterLabel", "Master field:", MasterFieldComboBox), 0, 0);
    grid->addWidget(BuddyLabel(this, "DetailLabel", "Detail field:", DetailFieldEdit), 0, 1);
    grid->addWidget(MasterFieldComboBox, 1, 0);
    grid->addWidget(DetailFieldEdit, 1, 1);
    grid->addWidget(AddButton, 1, 2);
    grid->addWidget(BuddyLabel(this, "JoinedLabel", "Joined fields:", JoinedFieldsListBox), 2, 0);
    grid->addWidget(JoinedFieldsListBox, 3, 0, 1, 2);
    grid->addWidget(ClearButton, 3, 2, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(460, 300);

    connect(AddButton, &QPushButton::clicked, this, [this] {
        if (MasterFieldComboBox->currentIndex() < 0 || FJoined.size() >= FDetailFields.size()) return;
        FJoined << MasterFieldComboBox->currentText();
        Display();
    });
    connect(ClearButton, &QPushButton::clicked, this, [this] {
        FJoined.clear();
        Display();
    });
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    TranslateForm(this, QStringLiteral("DBSetupFieldListForm"));
}

void TDBSetupFieldlistForm::Prepare(const TDataSet *Master, const QString &DetailFields,
                                    const QString &LinkedFields) {
    FMasterFields.clear();
    if (Master)
        for (const TField *f : Master->Fields()) FMasterFields << f->DisplayLabel();
    FDetailFields = SplitList(DetailFields);
    FJoined.clear();
    for (const QString &linked : SplitList(LinkedFields)) {
        if (FJoined.size() >= FDetailFields.size()) break;
        if (FMasterFields.contains(linked)) FJoined << linked;
    }
    Display();
}

void TDBSetupFieldlistForm::Display() {
    JoinedFieldsListBox->Items()->Clear();
    for (int i = 0; i < FJoined.size(); ++i)
        JoinedFieldsListBox->Items()->Add(FJoined.at(i) + QStringLiteral(" -> ") + FDetailFields.value(i));
    MasterFieldComboBox->Items()->Clear();
    for (const QString &field : std::as_const(FMasterFields))
        if (!FJoined.contains(field)) MasterFieldComboBox->Items()->Add(field);
    MasterFieldComboBox->SetItemIndex(MasterFieldComboBox->count() > 0 ? 0 : -1);
    const bool more = FJoined.size() < FDetailFields.size();
    DetailFieldEdit->setText(more ? FDetailFields.at(FJoined.size()) : QString());
    AddButton->setEnabled(more && MasterFieldComboBox->count() > 0);
    ClearButton->setEnabled(!FJoined.isEmpty());
}
