#include "host/list_controls.h"

#include <QAbstractItemModel>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace {

QStringList ModelLines(const QAbstractItemModel *model) {
    QStringList lines;
    for (int row = 0; row < model->rowCount(); ++row) lines << model->index(row, 0).data().toString();
    return lines;
}

// Sets a flag for the life of the scope.
class TFlagGuard {
public:
    explicit TFlagGuard(bool &flag) : FFlag(flag), FOld(flag) { flag = true; }
    ~TFlagGuard() { FFlag = FOld; }

private:
    bool &FFlag;
    bool FOld;
};

// Copies the widget's rows into Items whenever the model changes outside a refill from Items.
void FollowModel(QObject *context, QAbstractItemModel *model, TStrings &items, bool &syncing) {
    // The copy into Items must not refill the widget in turn: that would drop its selection.
    const auto copy = [model, &items, &syncing] {
        if (syncing) return;
        TFlagGuard guard(syncing);
        items.SetStringList(ModelLines(model));
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, context, copy);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, context, copy);
    QObject::connect(model, &QAbstractItemModel::rowsMoved, context, copy);
    QObject::connect(model, &QAbstractItemModel::dataChanged, context, copy);
    QObject::connect(model, &QAbstractItemModel::modelReset, context, copy);
}

}  // namespace

// ---- TComboBox

TComboBox::TComboBox(TComponent *AOwner) : TControlOf(AOwner) {
    SetStyle(csDropDown);
    setInsertPolicy(QComboBox::NoInsert);
    connect(&FItems, &TStrings::Changed, this, &TComboBox::ItemsChanged);
    FollowModel(this, model(), FItems, FSyncing);
    connect(this, &QComboBox::activated, this, [this] { Notify(FOnChange); });
}

TComboBox::~TComboBox() {
    StopSignals();
    QObject::disconnect(model(), nullptr, this, nullptr);
}

void TComboBox::ItemsChanged() {
    if (FSyncing) return;
    TFlagGuard guard(FSyncing);
    const int index = currentIndex();
    const QString text = currentText();
    clear();
    addItems(FItems.ToStringList());
    setCurrentIndex(index < count() ? index : -1);
    if (isEditable() && index < 0) setEditText(text);
}

void TComboBox::SetItemIndex(int value) { setCurrentIndex(value >= 0 && value < count() ? value : -1); }

void TComboBox::SetText(const QString &value) {
    if (isEditable())
        setEditText(value);
    else
        setCurrentIndex(FItems.IndexOf(value));
}

void TComboBox::SetStyle(int value) {
    FStyle = value == csSimple || value == csDropDownList ? value : csDropDown;
    const bool editable = FStyle != csDropDownList;
    if (editable == isEditable()) return;
    setEditable(editable);
    // Qt makes a new line edit each time the box becomes editable; typing there is a change.
    if (editable) connect(lineEdit(), &QLineEdit::textEdited, this, [this] { Notify(FOnChange); });
}

// ---- TListBox

TListBox::TListBox(TComponent *AOwner) : TControlOf(AOwner) {
    connect(&FItems, &TStrings::Changed, this, &TListBox::ItemsChanged);
    FollowModel(this, model(), FItems, FSyncing);
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!FSyncing) Notify(FOnClick);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { Notify(FOnDblClick); });
}

TListBox::~TListBox() {
    StopSignals();
    QObject::disconnect(model(), nullptr, this, nullptr);
}

void TListBox::ItemsChanged() {
    if (FSyncing) return;
    TFlagGuard guard(FSyncing);
    const int index = currentRow();
    clear();
    addItems(FItems.ToStringList());
    setCurrentRow(index < count() ? index : -1);
}

void TListBox::SetItemIndex(int value) {
    TFlagGuard guard(FSyncing);
    setCurrentRow(value >= 0 && value < count() ? value : -1);
}

void TListBox::SetMultiSelect(bool value) {
    setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
    const QListWidgetItem *entry = item(index);
    return entry && entry->isSelected();
}

void TListBox::SetSelected(int index, bool value) {
    if (QListWidgetItem *entry = item(index)) entry->setSelected(value);
}

// ---- TRadioGroup

TRadioGroup::TRadioGroup(TComponent *AOwner) : TControlOf(AOwner), FButtons(new QButtonGroup(this)) {
    new QGridLayout(this);
    connect(&FItems, &TStrings::Changed, this, &TRadioGroup::ItemsChanged);
    connect(FButtons, &QButtonGroup::idClicked, this, [this] { Notify(FOnClick); });
}

int TRadioGroup::ItemIndex() const { return FButtons->checkedId(); }

void TRadioGroup::SetItemIndex(int value) {
    if (QAbstractButton *button = FButtons->button(value)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its checked button.
    if (QAbstractButton *checked = FButtons->checkedButton()) {
        FButtons->setExclusive(false);
        checked->setChecked(false);
        FButtons->setExclusive(true);
    }
}

void TRadioGroup::SetColumns(int value) {
    FColumns = qBound(1, value, 16);  // the range radio groups have always had
    Rebuild();
}

void TRadioGroup::ItemsChanged() {
    // Renamed entries (a translation) keep the buttons and the choice.
    const auto buttons = FButtons->buttons();
    if (buttons.size() != FItems.Count()) {
        Rebuild();
        return;
    }
    for (int i = 0; i < FItems.Count(); ++i) FButtons->button(i)->setText(FItems[i]);
}

void TRadioGroup::Rebuild() {
    const int index = ItemIndex();
    for (QAbstractButton *button : FButtons->buttons()) delete button;
    auto *grid = static_cast<QGridLayout *>(layout());
    const int count = FItems.Count();
    const int rows = (count + FColumns - 1) / FColumns;
    for (int i = 0; i < count; ++i) {
        auto *button = new QRadioButton(FItems[i], this);
        FButtons->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    SetItemIndex(index);
}
