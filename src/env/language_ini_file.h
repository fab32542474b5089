#pragma once
// The language-file component: placed on a form (its owner), it writes the texts of the form's
// components into a language file (SaveFormStrings) or translates the form from one
// (TranslateForm, TranslateFormFN, TranslateFormGlobal). A form's section holds keys made of a
// component name and a suffix: "<name>.Caption", "<name>.Hint", "<name>.Item<n>" for list
// entries, tab pages and run-time message lines, and "<name>.Line<n>" for lines written out.
// Only the owner's directly owned components with a name take part.
#include "host/component.h"

#include <QObject>
#include <QString>

class TSpeedyIniFile;

class TLanguageIniFile : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString FormName READ FormName WRITE SetFormName)
    Q_PROPERTY(QString IniFileName READ IniFileName WRITE SetIniFileName)
public:
    // A component with this Tag keeps its texts out of SaveFormStrings.
    static constexpr qint32 NoExportTag = 9999;

    // FormName starts as the owner's component name.
    Q_INVOKABLE explicit TLanguageIniFile(TComponent *AOwner = nullptr);

    // Both keep at most 255 characters.
    QString FormName() const { return FFormName; }
    void SetFormName(const QString &value);
    QString IniFileName() const { return FIniFileName; }
    void SetIniFileName(const QString &value);

    // Writes the non-empty captions and hints and the entries of non-empty Items and Lines
    // lists of the owner's components into IniFileName, section FormName.
    void SaveFormStrings();
    // Translates the owner from IniFileName, section FormName, read as an ordinary ini file:
    // every non-empty value replaces its text in place; lists keep their length.
    void TranslateForm();
    // Translates from FileName when it names an existing file (and keeps it as IniFileName).
    void TranslateFormFN(const QString &FileName);
    // Translates the owner from an already read language file, section FormName. Items and
    // run-time messages are numbered from 1 there, and Lines are replaced as a whole by the
    // values numbered 1, 2, ... up to the first empty one.
    void TranslateFormGlobal(const TSpeedyIniFile &Reader);

private:
    // Shows the error box for an empty property and returns false.
    bool CheckSet(const QString &value, const char *property) const;
    QObject *OwnerObject() const;

    QString FFormName;
    QString FIniFileName;
};

// Registers TLanguageIniFile by class name (idempotent).
void RegisterLanguageIniFile();
