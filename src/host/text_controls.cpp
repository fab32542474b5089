#include "host/text_controls.h"

#include <QMouseEvent>
#include <limits>

TLabel::TLabel(TComponent *AOwner) : TControlOf(AOwner) {}

void TLabel::mouseReleaseEvent(QMouseEvent *e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Notify(FOnClick);
}

TEdit::TEdit(TComponent *AOwner) : TControlOf(AOwner) {
    connect(this, &QLineEdit::textChanged, this, [this] { Notify(FOnChange); });
}

TMemo::TMemo(TComponent *AOwner) : TControlOf(AOwner) {
    connect(&FLines, &TStrings::Changed, this, &TMemo::LinesChanged);
    connect(this, &QPlainTextEdit::textChanged, this, &TMemo::TextChanged);
}

void TMemo::LinesChanged() {
    if (FSyncing) return;
    FSyncing = true;
    setPlainText(FLines.ToStringList().join(QLatin1Char('\n')));
    FSyncing = false;
}

void TMemo::TextChanged() {
    if (!FSyncing) {
        FSyncing = true;
        // An empty memo has no lines, as the text "a\n" has one: the last line break opens no line.
        FLines.SetStringList(TStrings::SplitLines(toPlainText()));
        FSyncing = false;
    }
    Notify(FOnChange);
}

TSpinEdit::TSpinEdit(TComponent *AOwner) : TControlOf(AOwner) {
    // Unbounded until the form sets limits (Qt's default of 0..99 would clip typed values).
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    connect(this, &QSpinBox::valueChanged, this, [this] { Notify(FOnChange); });
}
