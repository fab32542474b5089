#pragma once
// The open-table dialog: a table of a database alias, or a table file of a directory. It returns
// the table name and the database name (the alias or the directory). A list of allowed table
// names, when given, limits both listings.
#include <QDialog>
#include <QStringList>

#include "host/component.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TStrings;

class TDBOpenForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TDBOpenForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    // Refreshes the alias list and the listing; Allowed null or empty allows every table.
    void Prepare(const TStrings *Allowed);
    QString TableName() const { return FTableName; }
    QString DatabaseName() const { return FDatabaseName; }

    // The current directory of the file listing.
    QString Directory() const { return FDirectory; }
    void SetDirectory(const QString &Directory);
    // "Open" or a double click: accepts when the choice names a table.
    void OpenClick();
    // Enter in the file name edit.
    void EditEnter();

    TComboBox *AliasComboBox, *FilterComboBox1;
    TLabel *DirectoryLabel;
    TListBox *DirectoryListBox1, *ListBox1;
    TEdit *Edit1;
    TButton *OpenButton, *CancelButton;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool AliasMode() const;
    // Lists the tables of the database file at Path when it holds other tables than the one
    // named after it (a table file); false for a table file.
    bool OpenDatabaseFile(const QString &Path);
    bool Allowed(const QString &Name) const;
    void ListTables(const QString &Pattern = QString());
    void ListDirectories();
    // Switches back to the file listing after a change of directory or mask.
    void FilesChanged();

    QStringList FAllowed;
    QString FDirectory, FTableName, FDatabaseName;
    // An SQLite database file opened in the file listing: the list shows its tables.
    QString FDatabaseFile;
    // A mask typed into the file name edit; it stands until a filter is chosen.
    QString FTypedMask;
};
