#include "data/db_open_form.h"
#include "data/named_controls.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "dblib/session.h"
#include "host/button_controls.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"
#include "model/form_translation.h"

namespace {

constexpr int MaxNameLength = 255;
const QString NoAlias = QStringLiteral("[NONE]");

// The masks of a filter entry ("*.DB*" or "*.*"); "*.*" matches names without a dot as well.
QStringList Masks(const QString &mask) {
    if (mask.trimmed().isEmpty() || mask.trimmed() == QLatin1String("*.*")) return {QStringLiteral("*")};
    return mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

bool HasWildcard(const QString &name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

}  // namespace

TDBOpenForm::TDBOpenForm(TComponent *AOwner, QWidget *parent) : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("DBOpenForm"));
    setWindowTitle(QStringLiteral("Open table"));
    AliasComboBox = Named(new TComboBox(this), "AliasComboBox");
    AliasComboBox->SetStyle(csDropDownList);
    DirectoryLabel = Named(new TLabel(this), "DirectoryLabel");
    DirectoryListBox1 = Named(new TListBox(this), "DirectoryListBox1");
    FilterComboBox1 = Named(new TComboBox(this), "FilterComboBox1");
    FilterComboBox1->SetStyle(csDropDownList);
    FilterComboBox1->Items()->SetText(QStringLiteral("*.DB*\n*.*"));
    Edit1 = Named(new TEdit(this), "Edit1");
    Edit1->installEventFilter(this);
    ListBox1 = Named(new TListBox(this), "ListBox1");
    OpenButton = Named(new TButton(this), "OpenButton");
    OpenButton->setText(QStringLiteral("&Open"));
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(BuddyLabel(this, "FileNameLabel", "&Table name:", Edit1), 0, 0);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(ListBox1, 2, 0, 3, 1);
    grid->addWidget(BuddyLabel(this, "AliasLabel", "&Alias:", AliasComboBox), 0, 1);
    grid->addWidget(AliasComboBox, 1, 1);
    grid->addWidget(DirectoryLabel, 2, 1);
    grid->addWidget(DirectoryListBox1, 3, 1);
    grid->addWidget(BuddyLabel(this, "FilterLabel", "&File type:", FilterComboBox1), 5, 0);
    grid->addWidget(FilterComboBox1, 6, 0);
    grid->setRowStretch(3, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OpenButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(560, 360);

    connect(OpenButton, &QPushButton::clicked, this, &TDBOpenForm::OpenClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::currentTextChanged, Edit1, &QLineEdit::setText);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TDBOpenForm::OpenClick);
    connect(AliasComboBox, &QComboBox::activated, this, [this] { ListTables(); });
    connect(FilterComboBox1, &QComboBox::activated, this, [this] {
        FTypedMask.clear();
        FilesChanged();
    });
    connect(DirectoryListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { SetDirectory(QDir(FDirectory).absoluteFilePath(item->text())); });
    FDirectory = QDir::currentPath();
    TranslateForm(this, QStringLiteral("DBOpenForm"));
}

void TDBOpenForm::Prepare(const TStrings *Allowed) {
    FAllowed = Allowed ? Allowed->ToStringList() : QStringList();
    FAllowed.removeAll(QString());
    FTypedMask.clear();
    AliasComboBox->Items()->Clear();
    TStringList names;
    Session().GetDatabaseNames(names);
    AliasComboBox->Items()->Add(NoAlias);
    AliasComboBox->Items()->AddStrings(names);
    AliasComboBox->SetItemIndex(0);
    FilterComboBox1->SetItemIndex(0);
    ListDirectories();
    ListTables();
}

void TDBOpenForm::SetDirectory(const QString &Directory) {
    FDirectory = QDir::cleanPath(QDir(Directory).absolutePath());
    ListDirectories();
    FilesChanged();
}

void TDBOpenForm::ListDirectories() {
    DirectoryLabel->setText(QDir::toNativeSeparators(FDirectory));
    DirectoryListBox1->Items()->Clear();
    QDir dir(FDirectory);
    if (!dir.isRoot()) DirectoryListBox1->Items()->Add(QStringLiteral(".."));
    for (const QString &name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        DirectoryListBox1->Items()->Add(name);
}

void TDBOpenForm::FilesChanged() {
    AliasComboBox->SetItemIndex(0);
    FDatabaseFile.clear();
    ListTables();
}

bool TDBOpenForm::AliasMode() const { return AliasComboBox->currentIndex() > 0; }

bool TDBOpenForm::Allowed(const QString &Name) const {
    return FAllowed.isEmpty() || FAllowed.contains(Name, Qt::CaseInsensitive);
}

void TDBOpenForm::ListTables(const QString &Pattern) {
    QStringList names;
    if (!AliasMode()) FDatabaseFile.clear();
    if (AliasMode()) {
        try {
            names = Session().TableNames(AliasComboBox->currentText(), Pattern, true, false);
        } catch (const Exception &e) {
            Interaction().ShowError(e.Message());
        }
    } else {
        QDir dir(FDirectory);
        dir.setNameFilters(Masks(FTypedMask.isEmpty() ? FilterComboBox1->currentText() : FTypedMask));
        // Without QDir::CaseSensitive the masks ignore letter case: "*.DB*" finds customer.db.
        dir.setFilter(QDir::Files | QDir::Hidden);
        dir.setSorting(QDir::Name | QDir::IgnoreCase);
        names = dir.entryList();
    }
    ListBox1->Items()->Clear();
    for (const QString &name : std::as_const(names))
        if (Allowed(name)) ListBox1->Items()->Add(name);
}

void TDBOpenForm::EditEnter() {
    const QString typed = Edit1->text().trimmed();
    if (AliasMode()) {
        ListTables(typed);
        return;
    }
    // A typed directory part becomes the current directory, the rest the new mask.
    const qsizetype cut = qMax(typed.lastIndexOf(QLatin1Char('/')), typed.lastIndexOf(QLatin1Char('\\'))) + 1;
    QString part = typed.left(cut);
    QString rest = typed.mid(cut);
    if (!part.isEmpty() && QFileInfo(QDir(FDirectory).absoluteFilePath(part)).isDir()) {
        FDirectory = QDir::cleanPath(QDir(FDirectory).absoluteFilePath(part));
        ListDirectories();
    } else if (QFileInfo(QDir(FDirectory).absoluteFilePath(typed)).isDir()) {
        FDirectory = QDir::cleanPath(QDir(FDirectory).absoluteFilePath(typed));
        ListDirectories();
        rest.clear();
    }
    if (HasWildcard(rest) || rest.isEmpty()) {
        FTypedMask = rest.isEmpty() ? QStringLiteral("*.*") : rest;
        FilesChanged();
        return;
    }
    ListTables();
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->text().compare(rest, Qt::CaseInsensitive) == 0) {
            ListBox1->SetItemIndex(i);
            OpenClick();
            return;
        }
}

bool TDBOpenForm::OpenDatabaseFile(const QString &Path) {
    QStringList tables;
    try {
        tables = Session().TableNames(Path, QString(), true, false);
    } catch (const Exception &) {
        return false;  // not a database: the file is taken as a table file and opening says why
    }
    if (tables.isEmpty()) return false;
    if (tables.size() == 1 &&
        tables.first().compare(QFileInfo(Path).completeBaseName(), Qt::CaseInsensitive) == 0)
        return false;
    FDatabaseFile = Path;
    ListBox1->Items()->Clear();
    for (const QString &name : std::as_const(tables))
        if (Allowed(name)) ListBox1->Items()->Add(name);
    if (ListBox1->count() > 0) ListBox1->SetItemIndex(0);
    return true;
}

void TDBOpenForm::OpenClick() {
    if (!FDatabaseFile.isEmpty() && !AliasMode()) {
        // A table of the database file opened before.
        const QListWidgetItem *item = ListBox1->currentItem();
        if (!item) return;
        FTableName = item->text().left(MaxNameLength);
        FDatabaseName = FDatabaseFile.left(MaxNameLength);
        accept();
        return;
    }
    if (AliasMode()) {
        const QListWidgetItem *item = ListBox1->currentItem();
        if (!item) return;
        FTableName = item->text().left(MaxNameLength);
        FDatabaseName = AliasComboBox->currentText().left(MaxNameLength);
        accept();
        return;
    }
    const QString typed = Edit1->text().trimmed();
    if (typed.isEmpty() || HasWildcard(typed)) return;
    const qsizetype cut = qMax(typed.lastIndexOf(QLatin1Char('/')), typed.lastIndexOf(QLatin1Char('\\'))) + 1;
    QString database = cut > 0 ? QDir(FDirectory).absoluteFilePath(typed.left(cut)) : FDirectory;
    while (database.size() > 1 &&
           (database.endsWith(QLatin1Char('/')) || database.endsWith(QLatin1Char('\\'))))
        database.chop(1);
    const QString table = typed.mid(cut);
    if (!QFileInfo(QDir(database).filePath(table)).isFile()) return;
    if (OpenDatabaseFile(QDir(database).filePath(table))) return;
    FTableName = table.left(MaxNameLength);
    FDatabaseName = database.left(MaxNameLength);
    accept();
}

bool TDBOpenForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EditEnter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
