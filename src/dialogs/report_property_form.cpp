// The report options dialog: paper size and orientation, page width and length (custom paper),
// margins, columns and their spacing, units, title, font, frame, and the printer settings the
// report file keeps (copies, duplex, output bin). Lengths are shown in the report's units and
// follow a change of units in the dialog; only values the user changed are written, so that
// untouched values stay exactly as the report file holds them.
#include "dialogs/band_form_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_paper.h"

#include "host/button_controls.h"
#include "host/conversions.h"
#include "host/exceptions.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <QBoxLayout>
#include <array>
#include <cmath>
#include <memory>
#include <functional>

namespace {

struct TUnitItem {
    TRepUnits Units;
    const char *Name;
};
constexpr std::array<TUnitItem, 5> UnitItems = {{{ruMM, "Millimetres"},
                                                 {ruInches, "Inches"},
                                                 {ruPixels, "Pixels"},
                                                 {ruCharacters, "Characters"},
                                                 {ruNative, "0.1 mm"}}};

int UnitItem(TRepUnits units) {
    for (size_t i = 0; i < UnitItems.size(); ++i)
        if (UnitItems[i].Units == units) return int(i);
    return 0;
}

// A page value in an edit: shown in the dialog's units; written back only when its text was
// changed by the user.
struct TPageValueEdit {
    int Index;
    TRepAxis Axis;
    TEdit *Edit;
    double MM;         // the value as the page holds it
    QString Shown;     // the text the dialog put in
    double Number() const { return StrToFloat(Edit->text().trimmed()); }
    bool Changed() const { return Edit->text() != Shown; }
    void Show(TRepUnits units) {
        // A value the user typed keeps its meaning in the new units.
        if (Changed()) MM = RepToMM(Number(), FUnitsShown, Axis);
        Shown = FloatToStr(std::round(RepFromMM(MM, units, Axis) * 1e6) / 1e6);
        Edit->setText(Shown);
        FUnitsShown = units;
    }
    TRepUnits FUnitsShown = ruMM;
};

TRepAxis AxisOf(int index) {
    switch (index) {
    case TRepPage::pvLength:
    case TRepPage::pvTopMargin:
    case TRepPage::pvBottomMargin:
        return raY;
    default:
        return raX;
    }
}

}  // namespace

bool EditReportOptions(TVDMDesigner *Designer, TComponent *Owner, TComponent *) {
    TReport *report = Designer ? Designer->Report() : nullptr;
    if (!report) return false;
    TRepPage *page = report->Page();
    TPropertyForm form(Designer, Owner, QStringLiteral("ReportPropertyForm"), QStringLiteral("Report Options"));
    TFont font(nullptr);
    font.Assign(report->Font());

    auto *title = form.Field<TEdit>("TitleEdit", QStringLiteral("Title"));
    title->setMaxLength(255);
    title->setText(report->ReportTitle());
    auto *units = form.Field<TComboBox>("UnitsComboBox", QStringLiteral("Units"));
    units->SetStyle(csDropDownList);
    for (const TUnitItem &u : UnitItems) units->Items()->Add(QString::fromLatin1(u.Name));
    units->SetItemIndex(UnitItem(report->Units()));
    auto *paper = form.Field<TComboBox>("PaperSizeComboBox", QStringLiteral("Paper size"));
    paper->SetStyle(csDropDownList);
    for (int i = 0; i < RepPaperSizeCount; ++i) paper->Items()->Add(RepPaperSizeName(i));
    paper->SetItemIndex(page->PaperSize());
    auto *orientation = form.Field<TComboBox>("OrientationComboBox", QStringLiteral("Orientation"));
    orientation->SetStyle(csDropDownList);
    orientation->Items()->SetStringList({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    orientation->SetItemIndex(int(page->Orientation()));

    // The lengths, in rows of labelled edits.
    std::vector<std::unique_ptr<TPageValueEdit>> values;
    auto valueRow = [&](const QString &label, std::initializer_list<std::pair<int, const char *>> items,
                        std::initializer_list<const char *> captions) {
        auto *row = new QWidget(&form);
        auto *line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto caption = captions.begin();
        for (const auto &[index, name] : items) {
            if (caption != captions.end() && **caption) line->addWidget(new QLabel(QString::fromLatin1(*caption), row));
            ++caption;
            auto *edit = new TEdit(&form);
            edit->SetName(QString::fromLatin1(name));
            edit->setParent(row);
            edit->setMinimumWidth(60);
            line->addWidget(edit, 1);
            auto v = std::make_unique<TPageValueEdit>();
            v->Index = index;
            v->Axis = AxisOf(index);
            v->Edit = edit;
            v->MM = page->ValueMM(index);
            v->Show(report->Units());
            values.push_back(std::move(v));
        }
        form.AddRow(row, label);
    };
    valueRow(QStringLiteral("Paper width, length"),
             {{TRepPage::pvWidth, "PageWidthEdit"}, {TRepPage::pvLength, "PageLengthEdit"}}, {"", ""});
    valueRow(QStringLiteral("Margins"),
             {{TRepPage::pvTopMargin, "TopMarginEdit"},
              {TRepPage::pvBottomMargin, "BottomMarginEdit"},
              {TRepPage::pvLeftMargin, "LeftMarginEdit"},
              {TRepPage::pvRightMargin, "RightMarginEdit"}},
             {"Top", "Bottom", "Left", "Right"});
    auto *columns = form.Field<TSpinEdit>("ColumnsSpinEdit", QStringLiteral("Columns"));
    columns->setRange(1, TRepPage::MaxColumns);
    columns->setValue(qMax(1, page->Columns()));
    valueRow(QStringLiteral("Column spacing"), {{TRepPage::pvColumnSpace, "ColumnSpaceEdit"}}, {""});
    for (const auto &v : values)
        form.AddCheck([edit = v.get()] {
            if (edit->Edit->isEnabled() && edit->Changed()) {
                edit->Edit->setFocus();
                (void)edit->Number();
            }
        });

    auto customPaper = [=, &values] {
        const bool custom = paper->currentIndex() == psCustom;
        for (const auto &v : values)
            if (v->Index == TRepPage::pvWidth || v->Index == TRepPage::pvLength) v->Edit->setEnabled(custom);
    };
    customPaper();
    QObject tag;
    paper->SetOnChange(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([=](QObject *) { customPaper(); }), &tag));
    units->SetOnChange(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([&values, units, &form](QObject *) {
                                                            const TRepUnits u = UnitItems[size_t(qMax(0, units->currentIndex()))].Units;
                                                            try {
                                                                for (const auto &v : values) v->Show(u);
                                                            } catch (const EConvertError &) {
                                                                form.Validate();  // shows which value is wrong
                                                            }
                                                        }),
                                                        &tag));

    const TFrameControls frame(form, report->Frame());
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);

    TRepPrinterSettings *printer = report->PrinterSettings();
    auto *copies = form.Field<TSpinEdit>("CopiesSpinEdit", QStringLiteral("Copies"));
    copies->setRange(1, TRepPrinterSettings::MaxCopies);
    copies->setValue(printer->Copies());
    auto *bin = form.Field<TSpinEdit>("OutputBinSpinEdit", QStringLiteral("Paper bin (0 = automatic)"));
    bin->setRange(0, 255);
    bin->setValue(printer->OutputBin());
    auto *duplex = form.Check("DuplexCheckBox", QStringLiteral("Duplex"));
    duplex->setChecked(printer->Duplex());
    // Report files always read these two back as on, so they are shown but cannot be changed.
    auto *firstHeader = form.Check("FirstPageHeaderCheckBox", QStringLiteral("Page header on the first page"));
    firstHeader->setChecked(report->HasOption(TReport::FirstPageHeader));
    auto *lastFooter = form.Check("LastPageFooterCheckBox", QStringLiteral("Page footer on the last page"));
    lastFooter->setChecked(report->HasOption(TReport::LastPageFooter));
    for (TCheckBox *b : {firstHeader, lastFooter}) {
        b->setEnabled(false);
        b->setToolTip(QStringLiteral("Report files always keep this option on."));
    }
    form.Finish(QStringLiteral("ReportPropertyForm"));
    const bool accepted = form.Run();
    paper->SetOnChange(TMethod());
    units->SetOnChange(TMethod());
    if (!accepted) return false;

    report->SetReportTitle(title->text());
    const TRepUnits u = UnitItems[size_t(qMax(0, units->currentIndex()))].Units;
    report->SetUnits(u);
    page->SetOrientation(TRepPage::TRepOrientation(qMax(0, orientation->currentIndex())));
    page->SetPaperSize(qMax(0, paper->currentIndex()));
    for (const auto &v : values) {
        if (!v->Edit->isEnabled()) continue;
        if (v->Changed())
            page->SetValue(v->Index, v->Number());
        else if (v->MM != page->ValueMM(v->Index))
            page->SetValueMM(v->Index, v->MM);  // typed before a change of units
    }
    page->SetColumns(columns->value());
    frame.Store(report->Frame());
    report->SetFont(&font);
    printer->SetCopies(copies->value());
    printer->SetOutputBin(bin->value());
    printer->SetDuplex(duplex->isChecked());
    report->update();
    return true;
}
