#include "window/modal_form_host.h"

#include "host/forms.h"
#include "host/interaction.h"

#include <QVBoxLayout>

TModalFormHost::TModalFormHost(TForm *Form) : FForm(Form) {
    setObjectName(QStringLiteral("ModalFormHost"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FOldParent = Form->parentWidget();
    resize(Form->size().expandedTo(QSize(1000, 700)));
    Form->setParent(this, Qt::Widget);
    layout->addWidget(Form);
    Form->show();
    Form->installEventFilter(this);
    setWindowTitle(Form->windowTitle());
    setWindowModified(Form->isWindowModified());
}

TModalFormHost::~TModalFormHost() {
    // The form belongs to its owner: it leaves the dialog before the dialog goes.
    if (FForm) {
        FForm->removeEventFilter(this);
        FForm->hide();
        FForm->setParent(FOldParent, Qt::Window);
    }
}

int TModalFormHost::Run() { return Interaction().ExecDialog(*this); }

void TModalFormHost::reject() {
    // Escape or the window's close button: the form decides; when it closes, its Hide ends
    // the dialog.
    if (FForm)
        FForm->close();
    else
        QDialog::reject();
}

bool TModalFormHost::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FForm) {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
            setWindowTitle(FForm->windowTitle());
            break;
        case QEvent::ModifiedChange:
            setWindowModified(FForm->isWindowModified());
            break;
        case QEvent::Hide:
            // The form hid itself (its close was accepted, after its own questions): the dialog
            // ends. Hiding the dialog does not count, as the form is not hidden by itself then.
            if (FForm->isHidden()) QDialog::accept();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
