#pragma once
// The data-source selection form: a list of names filled by the caller; OK or a double click
// accepts the selected entry. A component with a caption, so language files can translate it.
#include "host/component.h"

#include <QDialog>

class QListWidget;

class TDatasourceSelectForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TDatasourceSelectForm(QWidget *parent = nullptr);

    QListWidget *ListBox() const { return FListBox; }
    // The selected row, -1 for none.
    int SelectedIndex() const;

private:
    QListWidget *FListBox;
};
