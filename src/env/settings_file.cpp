#include "settings_file.h"

#include "model/design_report.h"
#include "model/language_setting.h"
#include "model/loader.h"

#include "host/conversions.h"
#include "host/exceptions.h"
#include "host/ini_file.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_paper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>

namespace {

const QString General = QStringLiteral("General");
const QString Printer = QStringLiteral("Printer");

void ReadPrinterSection(const TIniFile &ini, TReport *report) {
    TRepPrinterSettings *printer = report->PrinterSettings();
    const QString name = ini.ReadString(Printer, QStringLiteral("PrinterName"), QString());
    if (!name.isEmpty()) {
        const QStringList installed = QPrinterInfo::availablePrinterNames();
        for (int i = 0; i < installed.size(); ++i)
            if (installed[i].compare(name, Qt::CaseInsensitive) == 0) {
                printer->SetPrinterIndex(i);
                break;
            }
    }
    printer->SetDuplex(ini.ReadBool(Printer, QStringLiteral("Duplex"), printer->Duplex()));
    printer->SetCopies(ini.ReadInteger(Printer, QStringLiteral("PrinterCopies"), printer->Copies()));
    printer->SetOutputBin(ini.ReadInteger(Printer, QStringLiteral("PrinterBin"), printer->OutputBin()) & 0xFF);
    TRepPage *page = report->Page();
    const int orientation = ini.ReadInteger(Printer, QStringLiteral("PageOrientation"), int(page->Orientation()));
    page->SetOrientation(orientation == TRepPage::poLandscape ? TRepPage::poLandscape : TRepPage::poPortrait);
    page->SetPaperSize(ini.ReadInteger(Printer, QStringLiteral("PaperSize"), page->PaperSize()) & 0x7F);
    if (page->PaperSize() != psCustom) return;
    try {
        const QString width = FloatToStr(page->Width()), length = FloatToStr(page->Length());
        page->SetWidth(StrToFloat(ini.ReadString(Printer, QStringLiteral("CustomPaperWidth"), width)));
        page->SetLength(StrToFloat(ini.ReadString(Printer, QStringLiteral("CustomPaperLength"), length)));
    } catch (const EConvertError &) {
        // A custom size that is not a number is ignored from there on.
    }
}

}  // namespace

QString VendamoSettingsFileName() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("VENDAMO.INI"));
}

QString SettingsFilePath(const QString &value) {
    if (value.isEmpty() || value.contains(u'/') || value.contains(u'\\')) return value;
    return QDir(QCoreApplication::applicationDirPath()).filePath(value);
}

void ReadVDMLoaderSetup(TVDMLoader *Loader) {
    if (!Loader || !QFileInfo::exists(VendamoSettingsFileName())) return;
    const TIniFile ini(VendamoSettingsFileName());
    Loader->SetSaveLoadPrinterSetup(
        ini.ReadBool(General, QStringLiteral("SaveLoadPrinterSetup"), Loader->SaveLoadPrinterSetup()));
    Loader->SetUseDataModules(ini.ReadBool(General, QStringLiteral("UseDatamodules"), Loader->UseDataModules()));
    SetVendamoLanguageIniFile(
        SettingsFilePath(ini.ReadString(General, QStringLiteral("Languagefile"), VendamoLanguageIniFile())));
    if (Loader->Report()) ReadPrinterSection(ini, Loader->Report());
}
