// What the host window shows of the selection: the info text of the one selected element and
// the font combo boxes.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/container_controls.h"
#include "host/list_controls.h"
#include "host/property_access.h"
#include "model/report_constants.h"
#include "model/runtime_messages.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_calc.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_image.h"
#include "reportlib/rep_label.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"

namespace {

// The info text is a short string.
constexpr int InfoLength = 255;

// A field's display label when the dataset has the field, else the field name as written.
QString FieldLabel(const TDataSet *DataSet, const QString &FieldName) {
    const TField *field = DataSet ? DataSet->FindField(FieldName) : nullptr;
    return field ? field->DisplayLabel() : FieldName;
}

QString DataSuffix(const TDataSet *DataSet, const QString &FieldName) {
    return QStringLiteral(" (Field:") + FieldLabel(DataSet, FieldName) + QStringLiteral(", Database:") +
           DataSet->Name() + QLatin1Char(')');
}

}  // namespace

QString TVDMDesigner::ElementInfo(QWidget *Element) const {
    if (!Element) return QString();
    const QStringList messages = RuntimeMessages() ? RuntimeMessages()->ToStringList() : QStringList();
    auto kind = [&](auto table, int ordinal) { return LookupRuntimeMessage(messages, KindName(table, ordinal)); };
    const TComponent *component = TComponent::FromObject(Element);
    const QString name = component ? component->Name() : Element->objectName();
    QString info;
    if (qobject_cast<TRepMemo *>(Element)) {
        info = QStringLiteral("Memo ") + name;
    } else if (auto *dbImage = qobject_cast<TRepDBImage *>(Element)) {
        info = QStringLiteral("Database image ") + name;
        if (dbImage->DataSet()) info += DataSuffix(dbImage->DataSet(), dbImage->DataField());
    } else if (qobject_cast<TRepImage *>(Element)) {
        const QString file = PropertyExists(Element, QStringLiteral("Filename"))
                                 ? GetStringProperty(Element, QStringLiteral("Filename"))
                                 : QString();
        info = QStringLiteral("Image ") + name + QStringLiteral(" (Filename:") + file + QLatin1Char(')');
    } else if (auto *shape = qobject_cast<TRepShape *>(Element)) {
        info = QStringLiteral("Shape ") + name + QStringLiteral(" (") + kind(ShapeTypes, int(shape->Shape())) +
               QLatin1Char(')');
    } else if (auto *sysdata = qobject_cast<TRepSysData *>(Element)) {
        info = QStringLiteral("Systemdata ") + name + QStringLiteral(" (Data:") +
               kind(SysDataTypes, int(sysdata->Data())) + QLatin1Char(')');
    } else if (auto *calc = qobject_cast<TRepDBCalc *>(Element)) {
        info = QStringLiteral("Calculated field ") + name + QStringLiteral(" (Operation:") +
               kind(CalcTypes, int(calc->Operation()));
        if (calc->DataSet())
            info += QStringLiteral(", Field:") + FieldLabel(calc->DataSet(), calc->DataField()) +
                    QStringLiteral(", Database:") + calc->DataSet()->Name();
        info += QLatin1Char(')');
    } else if (auto *band = qobject_cast<TRepBand *>(Element)) {
        info = QStringLiteral("Band ") + name + QStringLiteral(" (Bandtype:") + kind(BandTypes, int(band->BandType())) +
               QLatin1Char(')');
    } else if (auto *text = qobject_cast<TRepDBText *>(Element)) {
        info = QStringLiteral("Datafield ") + name;
        if (text->DataSet()) info += DataSuffix(text->DataSet(), text->DataField());
    } else if (auto *expr = qobject_cast<TRepExpr *>(Element)) {
        info = QStringLiteral("Expression ") + name + QStringLiteral(" : ") + expr->Expression();
    } else if (qobject_cast<TRepLabel *>(Element)) {
        info = QStringLiteral("Label ") + name;
    }
    if (!qobject_cast<TRepBand *>(Element))
        info += QStringLiteral("  [Position: ") + QString::number(Element->x()) + QLatin1Char('/') +
                QString::number(Element->y()) + QLatin1Char(']');
    return info;
}

void TVDMDesigner::UpdateInfoPanel() {
    const QList<QWidget *> selection = GetSelectedElements();
    if (selection.size() != 1) {
        if (FInfoPanel) FInfoPanel->SetCaption(QString());
        QString none;
        FOnShowInfo.Invoke<TComponent *, QString &>(nullptr, none);
        return;
    }
    QWidget *element = selection.first();
    QString info = ElementInfo(element);
    FOnShowInfo.Invoke<TComponent *, QString &>(TComponent::FromObject(element), info);
    info.truncate(InfoLength);
    if (FInfoPanel) FInfoPanel->SetCaption(info);
}

void TVDMDesigner::UpdateFontComponents(const TFont *Font) {
    if (!Font) return;
    const QString size = QString::number(Font->Size());
    const struct {
        TSpeedButton *Button;
        int Style;
    } styles[] = {{FSpeedButtons->FontBold(), fsBold},
                  {FSpeedButtons->FontItalic(), TFont::fsItalic},
                  {FSpeedButtons->FontUnderline(), TFont::fsUnderline}};
    if (GetSelectedElements().size() <= 1) {
        if (FFontComboBox) {
            // A font the report names but this system lacks (it prints with its substitute) is
            // listed too, so that the box shows what the element uses.
            TStrings *names = FFontComboBox->Items();
            if (!Font->Name().isEmpty() && names->Count() > 0 && names->IndexOf(Font->Name()) < 0) {
                int at = 0;
                while (at < names->Count() && names->Get(at).compare(Font->Name(), Qt::CaseInsensitive) < 0) ++at;
                names->Insert(at, Font->Name());
            }
            FFontComboBox->SetItemIndex(names->IndexOf(Font->Name()));
        }
        if (FFontSizeComboBox) FFontSizeComboBox->SetText(size);
        for (const auto &s : styles)
            if (s.Button) s.Button->SetDown((Font->Style() & s.Style) != 0);
        return;
    }
    // Several selected, Font is the one just added: a control keeps a value only while all agree.
    UpdateInfoPanel();
    if (FFontComboBox && FFontComboBox->currentText() != Font->Name()) FFontComboBox->SetItemIndex(-1);
    if (FFontSizeComboBox && FFontSizeComboBox->currentText() != size) FFontSizeComboBox->SetText(QString());
    for (const auto &s : styles)
        if (s.Button && !(Font->Style() & s.Style)) s.Button->SetDown(false);
}
