// Language files and the settings file: text files users edit by hand and pass around.
#include "fuzz_target.h"
#include "regression_inputs.h"

#include "full_report.h"

#include "env/language_ini_file.h"
#include "env/settings_file.h"
#include "env/speedy_ini_file.h"
#include "host/container_controls.h"
#include "host/ini_file.h"
#include "host/list_controls.h"
#include "host/text_controls.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {

void WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the scratch file");
}

QString ScratchFile() {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("vendamo-fuzz-%1.lng").arg(QCoreApplication::applicationPid()));
    return path;
}

template <class T>
T *Make(TComponent *owner, QWidget *parent, const QString &name) {
    auto *c = new T(owner);
    c->SetName(name);
    if (parent) c->setParent(parent);
    return c;
}

// A report form with the controls whose texts language files carry.
struct TTranslatedForm : TReportForm {
    TLanguageIniFile *Language;
    TTranslatedForm() {
        Form->SetName(QStringLiteral("LangForm"));
        Language = new TLanguageIniFile(Form.get());
        Language->SetFormName(QStringLiteral("LangForm"));
        Language->SetName(QStringLiteral("Language"));
        auto *label = Make<TLabel>(Form.get(), Form.get(), QStringLiteral("Label"));
        label->setText(QStringLiteral("Caption text"));
        label->SetHint(QStringLiteral("A hint"));
        Make<TMemo>(Form.get(), Form.get(), QStringLiteral("Memo"))->Lines()->SetText(QStringLiteral("first\nsecond\nthird"));
        Make<TListBox>(Form.get(), Form.get(), QStringLiteral("List"))->Items()->SetText(QStringLiteral("a\nb"));
        Make<TComboBox>(Form.get(), Form.get(), QStringLiteral("Combo"))->Items()->SetText(QStringLiteral("c1\nc2\nc3"));
        Make<TRadioGroup>(Form.get(), Form.get(), QStringLiteral("Radios"))->Items()->SetText(QStringLiteral("r1\nr2"));
        auto *pages = Make<TPageControl>(Form.get(), Form.get(), QStringLiteral("Pages"));
        for (int i = 0; i < 2; ++i) {
            auto *sheet = Make<TTabSheet>(Form.get(), nullptr, QStringLiteral("Sheet%1").arg(i));
            sheet->SetPageControl(pages);
            sheet->SetCaption(QStringLiteral("Page %1").arg(i));
        }
    }
};

// Language files as the component writes them, and in the quoted, numbered-from-one form that
// the process-wide language file uses.
QList<QByteArray> LanguageSeeds() {
    QList<QByteArray> seeds;
    TTranslatedForm f;
    f.Language->SetIniFileName(ScratchFile());
    QFile::remove(ScratchFile());
    f.Language->SaveFormStrings();
    QFile file(ScratchFile());
    if (file.open(QIODevice::ReadOnly)) seeds << file.readAll();
    QByteArray quoted;
    for (const QByteArray &line : seeds.value(0).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        quoted += eq < 0 ? line + "\r\n" : line.left(eq) + "=\"" + line.mid(eq + 1) + "\"\r\n";
    }
    quoted += "Memo.Item1=\"one\"\r\nMemo.Item2=\"two\"\r\nList.Item1=\"A\"\r\nDesigner.Item3=\"message\"\r\n";
    quoted += "Pages.Item2=\"Second page\"\r\n[Other]\r\nKey=\"value\"\r\n";
    seeds << quoted;
    return seeds;
}

QList<QByteArray> SettingsSeeds() {
    const QString path = ScratchFile();
    QFile::remove(path);
    {
        TIniFile ini(path);
        ini.WriteBool(QStringLiteral("General"), QStringLiteral("SaveLoadPrinterSetup"), true);
        ini.WriteBool(QStringLiteral("General"), QStringLiteral("UseDatamodules"), false);
        ini.WriteString(QStringLiteral("General"), QStringLiteral("Languagefile"), QStringLiteral("deutsch.lng"));
        ini.WriteString(QStringLiteral("Printer"), QStringLiteral("PrinterName"), QStringLiteral("Office Laser"));
        ini.WriteBool(QStringLiteral("Printer"), QStringLiteral("Duplex"), true);
        ini.WriteInteger(QStringLiteral("Printer"), QStringLiteral("PrinterCopies"), 2);
        ini.WriteInteger(QStringLiteral("Printer"), QStringLiteral("PrinterBin"), 15);
        ini.WriteInteger(QStringLiteral("Printer"), QStringLiteral("PageOrientation"), 1);
        ini.WriteInteger(QStringLiteral("Printer"), QStringLiteral("PaperSize"), 0x7F);
        ini.WriteFloat(QStringLiteral("Printer"), QStringLiteral("CustomPaperWidth"), 123.5);
        ini.WriteFloat(QStringLiteral("Printer"), QStringLiteral("CustomPaperLength"), 321.25);
    }
    QFile file(path);
    QList<QByteArray> seeds;
    if (file.open(QIODevice::ReadOnly)) seeds << file.readAll();
    seeds << QByteArray("; comment\r\n[general]\r\nUseDatamodules = \"1\"\r\n[Printer]\r\nPaperSize=$7F\r\n"
                        "PrinterCopies=0x10\r\nCustomPaperWidth=1,5\r\n");
    return seeds;
}

}  // namespace

TFuzzTarget LanguageFileTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("language_file");
    t.Seeds = LanguageSeeds;
    t.Regressions = LanguageFileRegressions;
    t.Run = [](const QByteArray &input) {
        WriteFile(ScratchFile(), input);
        TSpeedyIniFile reader;
        reader.ReadIniFile(ScratchFile());
        // Both ways of translating, one after the other, on one form.
        TTranslatedForm form;
        form.Language->TranslateFormGlobal(reader);
        form.Language->SetIniFileName(ScratchFile());
        form.Language->TranslateForm();
        return true;
    };
    t.Tokens = {"\r\n", "\n", "[", "]", "=", "\"", "[LangForm]\r\n", "Memo.Item", "Radios.Item", "Pages.Item",
                "Designer.Item", "List.Item", "Label.Caption=", "\xEF\xBB\xBF"};
    return t;
}

TFuzzTarget SettingsFileTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("settings_file");
    t.Seeds = SettingsSeeds;
    t.Regressions = SettingsFileRegressions;
    t.Run = [](const QByteArray &input) {
        WriteFile(VendamoSettingsFileName(), input);
        TReportForm f;
        ReadVDMLoaderSetup(f.Designer);
        TIniFile ini(VendamoSettingsFileName());
        ini.ReadSections();
        // A write keeps the file readable and reads back as written.
        if (qHash(input) % 16 == 0) {
            ini.WriteString(QStringLiteral("Printer"), QStringLiteral("PrinterName"), QStringLiteral("Fuzz printer"));
            if (TIniFile(VendamoSettingsFileName()).ReadString(QStringLiteral("Printer"), QStringLiteral("PrinterName"),
                                                                QString()) != QStringLiteral("Fuzz printer"))
                throw std::logic_error("a written setting did not read back");
        }
        QFile::remove(VendamoSettingsFileName());
        return true;
    };
    t.Tokens = {"\r\n", "\n", "[", "]", "=", "\"", "[Printer]\r\n", "[General]\r\n", "PaperSize=", "$", "0x",
                "PrinterCopies=", "CustomPaperWidth=", "Languagefile=", "\xEF\xBB\xBF", "1e308", "-2147483648"};
    return t;
}
