#include "host/interaction.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <cstdio>

namespace {
TInteraction *g_installed = nullptr;
}

TInteraction &Interaction() {
    if (g_installed) return *g_installed;
    static TQtInteraction qtService;
    static TConsoleInteraction consoleService;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) return qtService;
    return consoleService;
}

TInteraction *SetInteraction(TInteraction *service) {
    TInteraction *previous = g_installed;
    g_installed = service;
    return previous;
}

// ---- Qt dialogs ------------------------------------------------------------------------------

namespace {
QString TitleOr(const QString &caption) {
    return caption.isEmpty() ? QCoreApplication::applicationName() : caption;
}

QString WithDefaultExt(QString name, const QString &ext) {
    if (!name.isEmpty() && !ext.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += (ext.startsWith(u'.') ? ext : u'.' + ext);
    return name;
}
}  // namespace

void TQtInteraction::ShowError(const QString &text, const QString &caption) {
    QMessageBox::critical(QApplication::activeWindow(), TitleOr(caption), text);
}

void TQtInteraction::ShowMessage(const QString &text, const QString &caption) {
    QMessageBox::information(QApplication::activeWindow(), TitleOr(caption), text);
}

TModalResult TQtInteraction::Confirm(const QString &text, TConfirmButtons buttons, const QString &caption) {
    QMessageBox::StandardButtons b;
    switch (buttons) {
    case TConfirmButtons::OkCancel: b = QMessageBox::Ok | QMessageBox::Cancel; break;
    case TConfirmButtons::YesNo: b = QMessageBox::Yes | QMessageBox::No; break;
    case TConfirmButtons::YesNoCancel: b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case TConfirmButtons::YesCancel: b = QMessageBox::Yes | QMessageBox::Cancel; break;
    }
    switch (QMessageBox::question(QApplication::activeWindow(), TitleOr(caption), text, b)) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return mrCancel;
    }
}

bool TQtInteraction::InputQuery(const QString &caption, const QString &prompt, QString &value) {
    bool ok = false;
    const QString v = QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok) value = v;
    return ok;
}

bool TQtInteraction::OpenFileName(const TFileDialogOptions &o, QString &fileName) {
    const QString start = o.FileName.isEmpty() ? o.InitialDir : QFileInfo(QDir(o.InitialDir), o.FileName).filePath();
    QFileDialog dialog(QApplication::activeWindow(), o.Title, start, o.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!o.History.isEmpty()) dialog.setHistory(o.History);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

bool TQtInteraction::SaveFileName(const TFileDialogOptions &o, QString &fileName) {
    const QString start = o.FileName.isEmpty() ? o.InitialDir : QFileInfo(QDir(o.InitialDir), o.FileName).filePath();
    const QString name = QFileDialog::getSaveFileName(QApplication::activeWindow(), o.Title, start, o.Filter);
    if (name.isEmpty()) return false;
    fileName = WithDefaultExt(name, o.DefaultExt);
    return true;
}

bool TQtInteraction::SelectColor(QColor &color) {
    const QColor c = QColorDialog::getColor(color, QApplication::activeWindow());
    if (!c.isValid()) return false;
    color = c;
    return true;
}

bool TQtInteraction::SelectFont(QFont &font, QColor &) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
    if (ok) font = f;
    return ok;
}

bool TQtInteraction::PrinterSetup(QPrinter &printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

int TQtInteraction::ExecDialog(QDialog &dialog) { return dialog.exec(); }

int TQtInteraction::PopupMenu(const QStringList &items, const QPoint &globalPos) {
    QMenu menu;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i) == QLatin1String("-"))
            menu.addSeparator();
        else
            menu.addAction(items.at(i))->setData(i);
    }
    const QAction *chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : -1;
}

// ---- console ---------------------------------------------------------------------------------

void TConsoleInteraction::Say(const QString &text) {
    const QByteArray line = (FPrefix + QStringLiteral(": ") + text + u'\n').toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

void TConsoleInteraction::ShowError(const QString &text, const QString &) { Say(text); }
void TConsoleInteraction::ShowMessage(const QString &text, const QString &) { Say(text); }

TModalResult TConsoleInteraction::Confirm(const QString &text, TConfirmButtons buttons, const QString &) {
    Say(text);
    return buttons == TConfirmButtons::OkCancel ? mrOk : mrYes;
}

bool TConsoleInteraction::InputQuery(const QString &, const QString &prompt, QString &) {
    Say(prompt);
    return false;
}

bool TConsoleInteraction::OpenFileName(const TFileDialogOptions &, QString &) { return false; }
bool TConsoleInteraction::SaveFileName(const TFileDialogOptions &, QString &) { return false; }
bool TConsoleInteraction::SelectColor(QColor &) { return false; }
bool TConsoleInteraction::SelectFont(QFont &, QColor &) { return false; }
bool TConsoleInteraction::PrinterSetup(QPrinter &) { return false; }
int TConsoleInteraction::ExecDialog(QDialog &) { return QDialog::Rejected; }

int TConsoleInteraction::PopupMenu(const QStringList &, const QPoint &) { return -1; }
