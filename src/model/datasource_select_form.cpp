#include "model/datasource_select_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TDatasourceSelectForm::TDatasourceSelectForm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DatasourceSelectForm"));
    setWindowTitle(QStringLiteral("Selection"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Please select a table:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    FListBox = new QListWidget(this);
    FListBox->setObjectName(QStringLiteral("ListBox1"));
    label->setBuddy(FListBox);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(label);
    layout->addWidget(FListBox);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FListBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int TDatasourceSelectForm::SelectedIndex() const { return FListBox->currentRow(); }
