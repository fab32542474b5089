#include "model/datasource_select_form.h"

#include "model/form_translation.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// The form's label as a component with a caption, so language files can translate it.
class TFormLabel : public QLabel, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ text WRITE setText)
public:
    TFormLabel(const QString &caption, TComponent *AOwner, QWidget *parent) : QLabel(caption, parent), TComponent(AOwner) {}
};

}  // namespace

TDatasourceSelectForm::TDatasourceSelectForm(QWidget *parent) : QDialog(parent) {
    SetName(QStringLiteral("DatasourceSelectForm"));
    setWindowTitle(QStringLiteral("Selection"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new TFormLabel(QStringLiteral("Please select a table:"), this, this);
    label->SetName(QStringLiteral("Label1"));
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
    TranslateForm(this, QStringLiteral("DatasourceSelectForm"));
}

int TDatasourceSelectForm::SelectedIndex() const { return FListBox->currentRow(); }

#include "datasource_select_form.moc"
