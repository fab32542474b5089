// The designer's mouse handling: the report, its bands, its elements and the selection handle
// report every press, move and release here. A left press selects, with Ctrl (or on empty report
// area) it starts a rubber-band selection, and while an insertion is pending it inserts a band or
// an element at the point.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "dblib/data_source.h"
#include "host/property_access.h"
#include "model/datasource_lookup.h"
#include "model/design_report.h"
#include "model/lookup_helpers.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include <QCoreApplication>
#include <QDir>
#include <QRubberBand>
#include <algorithm>

namespace {

bool IsBandState(quint16 State) { return State == 2 || (State >= 13 && State <= 15); }

// Suspends painting of the report while the selection changes, so that it repaints once.
class TUpdatesSuspended {
public:
    explicit TUpdatesSuspended(QWidget *w) : FWidget(w), FWasEnabled(w && w->updatesEnabled()) {
        if (FWasEnabled) FWidget->setUpdatesEnabled(false);
    }
    ~TUpdatesSuspended() {
        if (FWasEnabled) FWidget->setUpdatesEnabled(true);
    }
    TUpdatesSuspended(const TUpdatesSuspended &) = delete;
    TUpdatesSuspended &operator=(const TUpdatesSuspended &) = delete;

private:
    QWidget *FWidget;
    bool FWasEnabled;
};

// The band of an insertion state, created with the owner form as its owner.
TRepBand *CreateBand(quint16 State, TComponent *Owner) {
    switch (State) {
    case 13: return new TVendamoSubdetail(Owner);
    case 14: return new TVendamoGroup(Owner);
    case 15: return new TVendamoChildBand(Owner);
    default: return new TVendamoBand(Owner);
    }
}

}  // namespace

QPoint TVDMDesigner::ToReport(QObject *Sender, int X, int Y) const {
    const auto *sender = qobject_cast<const QWidget *>(Sender);
    QWidget *report = Report();
    if (!sender || sender == report) return QPoint(X, Y);
    const QWidget *parent = sender->parentWidget();
    if (parent && parent == report) return QPoint(X + sender->x(), Y + sender->y());
    if (qobject_cast<const TRepBand *>(parent)) return QPoint(X + sender->x() + parent->x(), Y + sender->y() + parent->y());
    return QPoint(X, Y);
}

void TVDMDesigner::_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender) {
    const QPoint at = ToReport(Sender, X, Y);
    auto *sender = qobject_cast<QWidget *>(Sender);
    const bool left = Button == Qt::LeftButton;
    if (left && FVendamoState == 0 && ((Shift & Qt::ControlModifier) || !Sender)) {
        if (Report()) FRubberAnchor = FRubberEnd = Report()->mapToGlobal(at);
        DetachSelection();
        return;
    }
    if (left && FVendamoState == 0 && sender) {
        if (FHandle && FHandle->IndexOf(sender) < 0) {
            {
                TUpdatesSuspended suspended(Report());
                if (!(Shift & Qt::ShiftModifier)) FHandle->DetachWithoutEvents();
                FHandle->Attach(sender);
            }
            // The press goes on as a drag of the selection: the handle, now on top, takes over
            // the pointer until the button is released.
            if (FHandle->isVisible() && QWidget::mouseGrabber() != FHandle) FHandle->grabMouse();
        }
        return;
    }
    if (Button == Qt::RightButton && FVendamoState == 0 && !Sender && !GetSelectedElement() && Report())
        EditProperties(Report());
    if (FVendamoState > 1 && left) {
        if (IsBandState(FVendamoState))
            InsertBand();
        else
            InsertElement(at);
    }
}

void TVDMDesigner::_MouseMove(Qt::KeyboardModifiers, int X, int Y, QObject *Sender) {
    if (!RubberBandActive() || !Report()) return;
    FRubberEnd = Report()->mapToGlobal(ToReport(Sender, X, Y));
    DrawRubberBand();
}

void TVDMDesigner::_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, QObject *Sender) {
    if (!RubberBandActive()) return;
    if (Report()) FRubberEnd = Report()->mapToGlobal(ToReport(Sender, X, Y));
    FinishRubberBand();
}

QRect TVDMDesigner::RubberBandRect() const {
    if (!RubberBandActive()) return QRect();
    return QRect(FRubberAnchor, FRubberEnd).normalized();
}

void TVDMDesigner::DrawRubberBand() {
    QWidget *report = Report();
    if (!report) return;
    if (!FRubberOutline || FRubberOutline->parentWidget() != report) {
        delete FRubberOutline.data();
        FRubberOutline = new QRubberBand(QRubberBand::Rectangle, report);
    }
    if (FRubberEnd == FRubberAnchor) {
        FRubberOutline->hide();
        return;
    }
    const QRect r = RubberBandRect();
    FRubberOutline->setGeometry(QRect(report->mapFromGlobal(r.topLeft()), r.size()));
    FRubberOutline->show();
    FRubberOutline->raise();
}

void TVDMDesigner::FinishRubberBand() {
    if (FRubberOutline) FRubberOutline->hide();
    // The spanned rectangle with both corners inside: a plain click selects what it touches.
    const int left = std::min(FRubberAnchor.x(), FRubberEnd.x()), right = std::max(FRubberAnchor.x(), FRubberEnd.x());
    const int top = std::min(FRubberAnchor.y(), FRubberEnd.y()), bottom = std::max(FRubberAnchor.y(), FRubberEnd.y());
    FRubberAnchor = QPoint(-10000, 0);
    if (!Owner() || !FHandle) return;
    // Component order; an element on another parent than the selection so far replaces it, so
    // a band across several bands ends with the hits on the band of the last hit.
    const QList<TComponent *> components = Owner()->Components();
    TUpdatesSuspended suspended(Report());
    for (TComponent *c : components) {
        auto *w = dynamic_cast<QWidget *>(c);
        if (!w || qobject_cast<TRepBand *>(w) || !PropertyExists(w, QStringLiteral("BlockDelete"))) continue;
        const QPoint origin = w->mapToGlobal(QPoint(0, 0));
        const int l = origin.x(), t = origin.y(), r = l + w->width(), b = t + w->height();
        if (r >= left && b >= top && right >= l && bottom >= t)
            FHandle->Attach(w);
    }
}

void TVDMDesigner::InsertBand() {
    TComponent *form = Owner();
    if (!form || !Report()) {
        SetVendamoState(0);
        return;
    }
    TDesignCommand command(this);
    SetHasChanged(true);
    TRepBand *band = CreateBand(FVendamoState, form);
    band->SetName(FindUniqueComponentName(form, QStringLiteral("BAND"), false));
    band->SetParent(Report());
    band->SetCaption(QString());
    if (!FAutoEditAfterInsert || EditProperties(band)) {
        if (FHandle) {
            FHandle->DetachWithoutEvents();
            FHandle->Attach(band);
        }
    } else {
        delete band;
    }
    SetVendamoState(0);
}

QWidget *TVDMDesigner::InsertionTarget(QPoint At) const {
    if (!Owner() || !Report()) return nullptr;
    for (TComponent *c : Owner()->Components()) {
        auto *band = dynamic_cast<TRepBand *>(c);
        // Edges belong to the band: a click on the line two bands share goes to the first.
        if (band && band->parentWidget() == Report() && At.x() >= band->x() && At.x() <= band->x() + band->width() &&
            At.y() >= band->y() && At.y() <= band->y() + band->height())
            return band;
    }
    if (At.x() < Report()->width() && At.y() < Report()->height()) return Report();
    return nullptr;
}

void TVDMDesigner::InsertElement(QPoint At) {
    QWidget *target = InsertionTarget(At);
    TComponent *form = Owner();
    if (!target || !form) return;
    const quint16 state = FVendamoState;
    // Data elements need a data source; nothing is inserted when the user cancels the choice.
    TDataSet *dataSet = nullptr;
    if (state == 4 || state == 9 || state == 12) {
        TDataSource *source = SelectDataSource(form);
        if (!source) return;
        dataSet = source->DataSet();
    }
    TDesignCommand command(this);
    SetHasChanged(true);
    const QPoint offset = target == Report() ? QPoint(0, 0) : target->pos();
    const int left = At.x() - offset.x(), top = At.y() - offset.y();
    TRepPrintable *element = nullptr;
    QString base;
    int width = 60, height = 20;
    switch (state) {
    case 3: {
        auto *label = new TVendamoLabel(form);
        label->SetCaption(QStringLiteral("ReportLabel"));
        label->StoreAutoSize(true);
        element = label, base = QStringLiteral("Label");
        break;
    }
    case 4: {
        auto *text = new TVendamoDBText(form);
        text->SetDataSet(dataSet);
        text->SetCaption(QStringLiteral("ReportDBText"));
        text->StoreAutoSize(true);
        element = text, base = QStringLiteral("DBText");
        break;
    }
    case 5: {
        auto *expr = new TVendamoExpr(form);
        expr->StoreAutoSize(true);
        expr->SetExpression(QString());
        element = expr, base = QStringLiteral("Expression");
        break;
    }
    case 6: {
        auto *sysdata = new TVendamoSysdata(form);
        sysdata->StoreAutoSize(true);
        element = sysdata, base = QStringLiteral("Sysdata");
        break;
    }
    case 7: element = new TVendamoShape(form), base = QStringLiteral("Shape"), width = height = 50; break;
    case 8: {
        auto *image = new TVendamoImage(form);
        image->SetAutoSize(true);
        image->SetStretch(false);
        image->SetFilename(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/')) +
                           QStringLiteral("*.BMP"));
        element = image, base = QStringLiteral("Image"), width = height = 60;
        break;
    }
    case 9: {
        auto *image = new TVendamoDBImage(form);
        image->SetStretch(false);
        image->SetDataSet(dataSet);
        element = image, base = QStringLiteral("DBImage"), width = height = 60;
        break;
    }
    case 10: {
        auto *memo = new TVendamoMemo(form);
        memo->StoreAutoSize(false);
        memo->setCursor(Qt::ArrowCursor);
        memo->SetColor(clWhite);
        memo->setFocusPolicy(Qt::NoFocus);
        memo->Lines()->Clear();
        element = memo, base = QStringLiteral("Memo"), width = 150, height = 40;
        break;
    }
    case 11: element = new TVendamoRichtext(form), base = QStringLiteral("Richtext"), width = height = 50; break;
    case 12: {
        auto *rich = new TVendamoDBRichtext(form);
        rich->SetDataSet(dataSet);
        element = rich, base = QStringLiteral("DBRichtext"), width = height = 50;
        break;
    }
    default: return;  // a chart, or no element kind: accepted as a state, nothing is inserted
    }
    // A name, so that lists, the info text and saved files can tell the new element apart.
    element->SetName(FindUniqueComponentName(form, base, false));
    element->SetParent(target);
    element->SetBounds(left, top, width, height);
    if (EditProperties(element)) {
        if (FHandle) {
            FHandle->DetachWithoutEvents();
            FHandle->Attach(element);
        }
    } else {
        delete element;
    }
    if (RepeatInsertion)
        UpdateCursor();
    else
        SetVendamoState(0);
}

void TVDMDesigner::UpdateCursor() {
    const int cursor = FVendamoState != 0 ? FAddCursor : crDefault;
    const Qt::CursorShape shape = CursorShapeFor(cursor);
    if (Owner())
        for (TComponent *c : Owner()->Components()) {
            auto *w = dynamic_cast<QWidget *>(c);
            if (!w) continue;
            if (qobject_cast<TRepBand *>(w) || qobject_cast<TRepBand *>(w->parentWidget())) w->setCursor(shape);
        }
    if (FHandle) FHandle->SetCursor(cursor);
}
