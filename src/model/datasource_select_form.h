#pragma once
// The data-source selection form: a list of names filled by the caller; OK or a double click
// accepts the selected entry.
#include <QDialog>

class QListWidget;

class TDatasourceSelectForm : public QDialog {
    Q_OBJECT
public:
    explicit TDatasourceSelectForm(QWidget *parent = nullptr);

    QListWidget *ListBox() const { return FListBox; }
    // The selected row, -1 for none.
    int SelectedIndex() const;

private:
    QListWidget *FListBox;
};
