#include "host/forms.h"

#include <QEvent>

namespace {
QList<TForm *> &FormList() {
    static QList<TForm *> list;
    return list;
}
QList<TDataModule *> &DataModuleList() {
    static QList<TDataModule *> list;
    return list;
}
}  // namespace

TForm::TForm(TComponent *AOwner, QWidget *parent) : QWidget(parent, Qt::Window), TComponent(AOwner) {
    FormList().append(this);
    NotifyInsertion();
}

TForm::~TForm() { FormList().removeAll(this); }

bool TForm::event(QEvent *e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) Screen::BringToFront(this);
    return QWidget::event(e);
}

TDataModule::TDataModule(TComponent *AOwner) : TComponent(AOwner) {
    DataModuleList().append(this);
    NotifyInsertion();
}

TDataModule::~TDataModule() { DataModuleList().removeAll(this); }

namespace Screen {
const QList<TForm *> &Forms() { return FormList(); }
const QList<TDataModule *> &DataModules() { return DataModuleList(); }
void BringToFront(TForm *form) {
    auto &list = FormList();
    const auto i = list.indexOf(form);
    if (i > 0) list.move(i, 0);
}
}  // namespace Screen

namespace {
const QString ModifiedPlaceholder = QStringLiteral("[*]");
}  // namespace

QString TForm::Caption() const {
    QString title = windowTitle();
    if (title.endsWith(ModifiedPlaceholder)) title.chop(ModifiedPlaceholder.size());
    return title;
}

void TForm::SetCaption(const QString &value) {
    setWindowTitle(FShowsModifiedMark ? value + ModifiedPlaceholder : value);
}

void TForm::SetShowsModifiedMark(bool value) {
    const QString caption = Caption();
    FShowsModifiedMark = value;
    SetCaption(caption);
}
