#pragma once
// The rich-text editor: a small word processor over a rich edit control, with rich text and
// plain text files, clipboard, undo, character and paragraph formatting, a ruler whose three
// markers set the paragraph's first, left and right indents by dragging, and the designer's two
// commands: inserting an expression field ("%%...%%") and marking a line to be removed when it
// prints empty ("%DEL"). Callers load the text into RichEdit1 before running the form and take
// it back after it closed with OK (the Exit command).
#include "host/component.h"

#include <QDialog>
#include <QString>

class QLabel;
class TComboBox;
class TMainMenu;
class TMenuItem;
class TPanel;
class TRepRichEdit;
class TReport;
class TSpeedButton;
class TSpinEdit;

class TRicheditForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    // Ruler geometry: indent units (points) to ruler pixels, and the gutter left of the text.
    static constexpr double RulerAdj = 4.0 / 3.0;
    static constexpr int GutterWid = 6;
    static inline const QString Untitled = QStringLiteral("Untitled");
    static inline const QString FileFilter = QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT");

    // Report gives the expression builder its datasets (may be null: no expression fields).
    explicit TRicheditForm(TComponent *AOwner = nullptr, TReport *Report = nullptr);
    ~TRicheditForm() override;

    // Runs the form modally through the interaction service; true when closed with Exit.
    bool Run();

    QString FileName() const { return FFileName; }
    // Sets the file name and the caption ("<name without folder> - <application title>").
    void SetFileName(const QString &Name);

    // The paragraph indents of the caret's paragraph, in points: the first line's indent, the
    // other lines' indent relative to it, and the right indent.
    int FirstIndent() const;
    int LeftIndent() const;
    int RightIndent() const;
    void SetFirstIndent(int Points);
    void SetLeftIndent(int Points);
    void SetRightIndent(int Points);

    // File commands.
    void FileNew();
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void FilePrint();
    // Asks "Save changes to %s?" for a modified text: false when the user cancelled (or the save
    // failed).
    bool CheckFileSave();
    // Writes the text to a file (plain text for ".TXT", rich text otherwise); false with an
    // error box when it cannot be written.
    bool WriteFile(const QString &Name);
    bool ReadFile(const QString &Name);

    // The designer's commands.
    void InsertExpression();
    void ToggleRemoveLine();

    // Places the markers and sets the buttons from the selection's formatting.
    void UpdateToolbar();

    TMainMenu *MainMenu = nullptr;
    TMenuItem *FileNewItem = nullptr, *FileOpenItem = nullptr, *FileSaveItem = nullptr, *FileSaveAsItem = nullptr,
              *FilePrintItem = nullptr, *FileExitItem = nullptr, *EditUndoItem = nullptr, *EditCutItem = nullptr,
              *EditCopyItem = nullptr, *EditPasteItem = nullptr, *EditFontItem = nullptr, *HelpAboutItem = nullptr;
    TSpeedButton *OpenButton = nullptr, *SaveButton = nullptr, *PrintButton = nullptr, *UndoButton = nullptr,
                 *CutButton = nullptr, *CopyButton = nullptr, *PasteButton = nullptr, *BoldButton = nullptr,
                 *ItalicButton = nullptr, *UnderlineButton = nullptr, *LeftAlign = nullptr, *CenterAlign = nullptr,
                 *RightAlign = nullptr, *BulletsButton = nullptr, *ExpressionButton = nullptr,
                 *RemoveLineButton = nullptr;
    TComboBox *FontName = nullptr;
    TSpinEdit *FontSize = nullptr;
    TPanel *Ruler = nullptr;
    QLabel *FirstInd = nullptr, *LeftInd = nullptr, *RightInd = nullptr, *RulerLine = nullptr;
    TRepRichEdit *RichEdit1 = nullptr;
    QLabel *StatusBar = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateMenu();
    void CreateToolbar();
    void CreateRuler();
    TSpeedButton *ToolButton(const char *Name, const QString &Text, const QString &Hint);
    // Character formatting goes to the selection, else to the insertion point.
    void ApplyCharFormat(const class QTextCharFormat &Format);
    void SetAlignment(Qt::Alignment Alignment);
    void ToggleBullets();
    void ChooseFont();
    // The ruler's client width.
    int RulerWidth() const;
    // Marker dragging.
    void MarkerDown(QLabel *Marker, int X);
    void MarkerMove(QLabel *Marker, int X);
    void MarkerUp(QLabel *Marker);

    TReport *FReport;
    QString FFileName;
    bool FUpdating = false;
    bool FDragging = false;
    int FDragOfs = 0;
};
