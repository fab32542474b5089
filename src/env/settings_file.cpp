#include "settings_file.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "model/language_setting.h"
#include "model/loader.h"

#include "host/conversions.h"
#include "host/exceptions.h"
#include "host/ini_file.h"
#include "host/interaction.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_paper.h"
#include "reportlib/rep_units.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <functional>

namespace {

const QString General = QStringLiteral("General");
const QString Printer = QStringLiteral("Printer");
const QString User = QStringLiteral("User");
const QString Editor = QStringLiteral("Editor");
const QString Display = QStringLiteral("Display");

// The designer's boolean permissions of section User, in file order.
struct TUserFlag {
    const char *Key;
    bool (TVDMDesigner::*Get)() const;
    void (TVDMDesigner::*Set)(bool);
};
const TUserFlag UserFlags[] = {
    {"AllowBlockEdit", &TVDMDesigner::AllowBlockEdit, &TVDMDesigner::SetAllowBlockEdit},
    {"AllowNewCalcFields", &TVDMDesigner::AllowNewCalcFields, &TVDMDesigner::SetAllowNewCalcFields},
    {"AllowSQLEdit", &TVDMDesigner::AllowSQLEdit, &TVDMDesigner::SetAllowSQLEdit},
    {"QueriesOnlyInDBSetup", &TVDMDesigner::QueriesOnlyInDBSetup, &TVDMDesigner::SetQueriesOnlyInDBSetup},
    {"QueriesOnlyInExpert", &TVDMDesigner::QueriesOnlyInExpert, &TVDMDesigner::SetQueriesOnlyInExpert},
};

// The designer's 16-bit steps of section Editor, in file order.
struct TEditorStep {
    const char *Key;
    quint16 (TVDMDesigner::*Get)() const;
    void (TVDMDesigner::*Set)(int);
};
const TEditorStep EditorSteps[] = {
    {"GridSizeX", &TVDMDesigner::GridSizeX, &TVDMDesigner::SetGridSizeX},
    {"GridSizeY", &TVDMDesigner::GridSizeY, &TVDMDesigner::SetGridSizeY},
    {"KeyboardMoveX", &TVDMDesigner::KeyboardMoveX, &TVDMDesigner::SetKeyboardMoveX},
    {"KeyboardMoveY", &TVDMDesigner::KeyboardMoveY, &TVDMDesigner::SetKeyboardMoveY},
};

QString Key(const char *name) { return QString::fromLatin1(name); }

void ReadUserSections(const TIniFile &ini, TVDMDesigner *d) {
    for (const TUserFlag &f : UserFlags) (d->*f.Set)(ini.ReadBool(User, Key(f.Key), (d->*f.Get)()));
    // A value outside 0..65535 would wrap around in the 16-bit step; it keeps the current one.
    for (const TEditorStep &s : EditorSteps) {
        const int value = ini.ReadInteger(Editor, Key(s.Key), (d->*s.Get)());
        if (value >= 0 && value <= 0xFFFF) (d->*s.Set)(value);
    }
    d->SetComponentFrameColor(ini.ReadInteger(Display, QStringLiteral("ComponentFrameColor"), d->ComponentFrameColor()));
    d->SetComponentFrameStyle(ini.ReadInteger(Display, QStringLiteral("ComponentFrameStyle"), d->ComponentFrameStyle()));
    d->SetShowComponentFrames(ini.ReadBool(Display, QStringLiteral("ShowComponentFrames"), d->ShowComponentFrames()));
    d->SetShowBandNames(ini.ReadBool(Display, QStringLiteral("ShowBandNames"), d->ShowBandNames()));
    // Through the designer's setter, so the band names are redrawn in the new colour.
    TFont font;
    font.Assign(d->BandNameFont());
    font.SetColor(ini.ReadInteger(Display, QStringLiteral("BandNameFont.Color"), font.Color()));
    d->SetBandNameFont(&font);
    TDesignReport *report = d->Report();
    if (!report) return;
    report->Page()->SetRuler(ini.ReadBool(Display, QStringLiteral("Report.Page.Ruler"), report->Page()->Ruler()));
    // An ordinal that names no unit keeps the current units rather than falling back to another.
    const int units = ini.ReadInteger(Display, QStringLiteral("Units"), report->UnitsOrdinal());
    if (units >= ruMM && units <= ruNative) report->SetUnitsOrdinal(units);
}

void WriteUserSections(TIniFile &ini, const TVDMDesigner *d) {
    for (const TUserFlag &f : UserFlags) ini.WriteBool(User, Key(f.Key), (d->*f.Get)());
    for (const TEditorStep &s : EditorSteps) ini.WriteInteger(Editor, Key(s.Key), (d->*s.Get)());
    ini.WriteInteger(Display, QStringLiteral("ComponentFrameColor"), d->ComponentFrameColor());
    ini.WriteInteger(Display, QStringLiteral("ComponentFrameStyle"), d->ComponentFrameStyle());
    ini.WriteBool(Display, QStringLiteral("ShowComponentFrames"), d->ShowComponentFrames());
    ini.WriteBool(Display, QStringLiteral("ShowBandNames"), d->ShowBandNames());
    ini.WriteInteger(Display, QStringLiteral("BandNameFont.Color"), d->BandNameFont()->Color());
    const TDesignReport *report = d->Report();
    if (!report) return;
    ini.WriteBool(Display, QStringLiteral("Report.Page.Ruler"), report->Page()->Ruler());
    ini.WriteInteger(Display, QStringLiteral("Units"), report->UnitsOrdinal() & 0x7F);
}

// The name of the report's selected printer; empty for the default printer or an index that
// names no installed printer.
QString SelectedPrinterName(const TReport *report) {
    const int index = report->PrinterSettings()->PrinterIndex();
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    return index >= 0 && index < installed.size() ? installed[index] : QString();
}

void WritePrinterSection(TIniFile &ini, const TReport *report) {
    const TRepPrinterSettings *printer = report->PrinterSettings();
    const TRepPage *page = report->Page();
    ini.WriteString(Printer, QStringLiteral("PrinterName"), SelectedPrinterName(report));
    ini.WriteBool(Printer, QStringLiteral("Duplex"), printer->Duplex());
    ini.WriteInteger(Printer, QStringLiteral("PrinterCopies"), printer->Copies());
    ini.WriteInteger(Printer, QStringLiteral("PrinterBin"), printer->OutputBin());
    ini.WriteInteger(Printer, QStringLiteral("PageOrientation"), int(page->Orientation()));
    ini.WriteInteger(Printer, QStringLiteral("PaperSize"), page->PaperSize() & 0x7F);
    if (page->PaperSize() != psCustom) return;
    ini.WriteString(Printer, QStringLiteral("CustomPaperWidth"), FloatToStr(page->Width()));
    ini.WriteString(Printer, QStringLiteral("CustomPaperLength"), FloatToStr(page->Length()));
}

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

QString UserSettingsFileName() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("VENDAMO.INI"));
}

namespace {

// The settings files to read, in order: the one beside the program, then the user's own copy,
// whose values win.
QStringList SettingsFilesToRead() {
    QStringList files;
    for (const QString &file : {VendamoSettingsFileName(), UserSettingsFileName()})
        if (QFileInfo(file).isFile() && !files.contains(file)) files << file;
    return files;
}

// Writes into the file beside the program, or, when that cannot be written (an installed
// program's folder usually is not), into the user's copy. False, with the reason shown, when
// neither can be written.
bool WriteSettings(const std::function<void(TIniFile &)> &write) {
    try {
        TIniFile ini(VendamoSettingsFileName());
        write(ini);
        return true;
    } catch (const EWriteError &) {
        // Nothing was written there: the first write fails before any other.
    }
    const QString user = UserSettingsFileName();
    try {
        QDir().mkpath(QFileInfo(user).absolutePath());
        TIniFile ini(user);
        write(ini);
        return true;
    } catch (const EWriteError &e) {
        Interaction().ShowError(e.Message());
        return false;
    }
}

}  // namespace

void ReadVDMLoaderSetup(TVDMLoader *Loader) {
    if (!Loader) return;
    for (const QString &file : SettingsFilesToRead()) {
        const TIniFile ini(file);
        Loader->SetSaveLoadPrinterSetup(
            ini.ReadBool(General, QStringLiteral("SaveLoadPrinterSetup"), Loader->SaveLoadPrinterSetup()));
        Loader->SetUseDataModules(ini.ReadBool(General, QStringLiteral("UseDatamodules"), Loader->UseDataModules()));
        SetVendamoLanguageIniFile(
            SettingsFilePath(ini.ReadString(General, QStringLiteral("Languagefile"), VendamoLanguageIniFile())));
        if (Loader->Report()) ReadPrinterSection(ini, Loader->Report());
    }
}

void ReadVendamoUserSetup(TVDMDesigner *Designer) {
    if (!Designer) return;
    for (const QString &file : SettingsFilesToRead()) ReadUserSections(TIniFile(file), Designer);
}

void ReadVendamoSetup(TVDMDesigner *Designer, QString &HelpFile) {
    if (!Designer) return;
    ReadVendamoUserSetup(Designer);
    ReadVDMLoaderSetup(Designer);
    HelpFile.clear();
    for (const QString &file : SettingsFilesToRead()) {
        const TIniFile ini(file);
        Designer->SetUndoEnabled(ini.ReadBool(General, QStringLiteral("UndoEnabled"), Designer->UndoEnabled()));
        Designer->SetSaveBackupFiles(
            ini.ReadBool(General, QStringLiteral("SaveBackupFiles"), Designer->SaveBackupFiles()));
        Designer->SetSaveImagesInReportfile(
            ini.ReadBool(General, QStringLiteral("SaveImagesInReportFile"), Designer->SaveImagesInReportfile()));
        HelpFile = SettingsFilePath(ini.ReadString(General, QStringLiteral("Helpfile"), HelpFile));
        Designer->SetBackupFileExtension(
            ini.ReadString(General, QStringLiteral("BackupFileExtension"), Designer->BackupFileExtension()).left(4));
    }
}

bool SaveVendamoUserSetup(TVDMDesigner *Designer) {
    if (!Designer) return false;
    return WriteSettings([Designer](TIniFile &ini) { WriteUserSections(ini, Designer); });
}

bool SaveVendamoSetup(TVDMDesigner *Designer) {
    if (!Designer) return false;
    return WriteSettings([Designer](TIniFile &ini) {
        WriteUserSections(ini, Designer);
        ini.WriteBool(General, QStringLiteral("SaveLoadPrinterSetup"), Designer->SaveLoadPrinterSetup());
        ini.WriteBool(General, QStringLiteral("UndoEnabled"), Designer->UndoEnabled());
        ini.WriteBool(General, QStringLiteral("SaveBackupFiles"), Designer->SaveBackupFiles());
        ini.WriteBool(General, QStringLiteral("SaveImagesInReportFile"), Designer->SaveImagesInReportfile());
        ini.WriteBool(General, QStringLiteral("UseDatamodules"), Designer->UseDataModules());
        // The designer holds neither file name: the keys are written empty, but a name the file
        // already holds is kept, so saving never loses the user's help or language file.
        for (const QString &ident : {QStringLiteral("Helpfile"), QStringLiteral("Languagefile")})
            ini.WriteString(General, ident, ini.ReadString(General, ident, QString()));
        ini.WriteString(General, QStringLiteral("BackupFileExtension"), Designer->BackupFileExtension());
        if (Designer->Report()) WritePrinterSection(ini, Designer->Report());
    });
}
