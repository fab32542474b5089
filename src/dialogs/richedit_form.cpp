#include "dialogs/richedit_form.h"
#include "dialogs/property_dialogs.h"

#include "model/form_translation.h"
#include "reportlib/rep_expression_builder.h"
#include "reportlib/rep_richtext.h"

#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QToolTip>
#include <cmath>

namespace {

// Indents are points in the editor's terms and pixels at 96 per inch in the document's.
constexpr double PixelsPerPoint = 4.0 / 3.0;

int Trunc(double value) { return int(std::trunc(value)); }

// The Qt filter of a "Name|*.EXT|..." filter, each pattern in both letter cases (file names on
// Linux are case-sensitive).
QString QtFilter(const QString &Filter) {
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'))) patterns << p << p.toLower();
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

QLabel *Marker(QWidget *Parent, const QString &Name, const QString &Glyph) {
    auto *marker = new QLabel(Glyph, Parent);
    marker->setObjectName(Name);
    marker->setAlignment(Qt::AlignCenter);
    marker->setFixedSize(9, 10);
    marker->setCursor(Qt::SizeHorCursor);
    return marker;
}

}  // namespace

TRicheditForm::TRicheditForm(TComponent *AOwner, TReport *Report) : QDialog(nullptr), TComponent(AOwner), FReport(Report) {
    SetName(QStringLiteral("RicheditForm"));
    resize(640, 440);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    RichEdit1 = new TRepRichEdit(this, this);
    RichEdit1->SetName(QStringLiteral("RichEdit1"));
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->document()->setDocumentMargin(GutterWid);
    CreateMenu();
    CreateToolbar();
    CreateRuler();
    outer->setMenuBar(MainMenu);
    outer->addWidget(RichEdit1, 1);
    StatusBar = new QLabel(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setContentsMargins(4, 2, 4, 2);
    outer->addWidget(StatusBar);

    connect(RichEdit1, &QTextEdit::cursorPositionChanged, this, &TRicheditForm::UpdateToolbar);
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this, &TRicheditForm::UpdateToolbar);
    SetFileName(Untitled);
    UpdateToolbar();
    TranslateForm(this, QStringLiteral("RicheditForm"));
}

TRicheditForm::~TRicheditForm() = default;

bool TRicheditForm::Run() {
    // Text the caller loaded keeps the gutter and starts unmodified.
    RichEdit1->document()->setDocumentMargin(GutterWid);
    RichEdit1->document()->setModified(false);
    UpdateToolbar();
    return Interaction().ExecDialog(*this) == QDialog::Accepted;
}

void TRicheditForm::SetFileName(const QString &Name) {
    FFileName = Name;
    QString title = QGuiApplication::applicationDisplayName();
    if (title.isEmpty()) title = QCoreApplication::applicationName();
    setWindowTitle(QStringLiteral("%1 - %2").arg(QFileInfo(Name).fileName(), title));
}

TSpeedButton *TRicheditForm::ToolButton(const char *Name, const QString &Text, const QString &Hint) {
    auto *b = new TSpeedButton(this);
    b->SetName(QString::fromLatin1(Name));
    b->setText(Text);
    b->SetHint(Hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->installEventFilter(this);  // shows the hint's short part
    return b;
}

void TRicheditForm::CreateMenu() {
    MainMenu = new TMainMenu(this);
    MainMenu->SetName(QStringLiteral("MainMenu"));
    MainMenu->setParent(this);
    auto item = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &keys, auto handler) {
        auto *mi = new TMenuItem(this);
        mi->SetName(QString::fromLatin1(name));
        mi->setText(caption);
        if (!keys.isEmpty()) {
            mi->setShortcut(keys);
            mi->setShortcutContext(Qt::WindowShortcut);
        }
        menu->addAction(mi);
        addAction(mi);
        connect(mi, &QAction::triggered, this, handler);
        return mi;
    };
    QMenu *file = MainMenu->addMenu(QStringLiteral("&File"));
    FileNewItem = item(file, "FileNewItem", QStringLiteral("&New"), QKeySequence::New, [this] { FileNew(); });
    FileOpenItem = item(file, "FileOpenItem", QStringLiteral("&Open..."), QKeySequence::Open, [this] { FileOpen(); });
    FileSaveItem = item(file, "FileSaveItem", QStringLiteral("&Save"), QKeySequence::Save, [this] { FileSave(); });
    FileSaveAsItem = item(file, "FileSaveAsItem", QStringLiteral("Save &As..."), {}, [this] { FileSaveAs(); });
    file->addSeparator();
    FilePrintItem = item(file, "FilePrintItem", QStringLiteral("&Print"), QKeySequence::Print, [this] { FilePrint(); });
    file->addSeparator();
    FileExitItem = item(file, "FileExitItem", QStringLiteral("E&xit"), {}, [this] { accept(); });
    QMenu *edit = MainMenu->addMenu(QStringLiteral("&Edit"));
    // The rich edit has its own keys for these; the items only offer them in the menu.
    EditUndoItem = item(edit, "EditUndoItem", QStringLiteral("&Undo"), {}, [this] { RichEdit1->undo(); });
    edit->addSeparator();
    EditCutItem = item(edit, "EditCutItem", QStringLiteral("Cu&t"), {}, [this] { RichEdit1->cut(); });
    EditCopyItem = item(edit, "EditCopyItem", QStringLiteral("&Copy"), {}, [this] { RichEdit1->copy(); });
    EditPasteItem = item(edit, "EditPasteItem", QStringLiteral("&Paste"), {}, [this] { RichEdit1->paste(); });
    edit->addSeparator();
    EditFontItem = item(edit, "EditFontItem", QStringLiteral("&Font..."), {}, [this] { ChooseFont(); });
    QMenu *help = MainMenu->addMenu(QStringLiteral("&Help"));
    HelpAboutItem = item(help, "HelpAboutItem", QStringLiteral("&About..."), {}, [this] {
        Interaction().ShowMessage(QStringLiteral("Rich text editor of the report designer."), windowTitle());
    });
}

void TRicheditForm::CreateToolbar() {
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(1);
    auto gap = [row] { row->addSpacing(8); };
    OpenButton = ToolButton("OpenButton", QStringLiteral("Open"), QStringLiteral("Open|"));
    SaveButton = ToolButton("SaveButton", QStringLiteral("Save"), QStringLiteral("Save|"));
    PrintButton = ToolButton("PrintButton", QStringLiteral("Print"), QStringLiteral("Print|"));
    UndoButton = ToolButton("UndoButton", QStringLiteral("Undo"), QStringLiteral("Undo|"));
    CutButton = ToolButton("CutButton", QStringLiteral("Cut"), QStringLiteral("Cut|"));
    CopyButton = ToolButton("CopyButton", QStringLiteral("Copy"), QStringLiteral("Copy|"));
    PasteButton = ToolButton("PasteButton", QStringLiteral("Paste"), QStringLiteral("Paste|"));
    for (TSpeedButton *b : {OpenButton, SaveButton, PrintButton}) row->addWidget(b);
    gap();
    for (TSpeedButton *b : {UndoButton, CutButton, CopyButton, PasteButton}) row->addWidget(b);
    gap();
    FontName = new TComboBox(this);
    FontName->SetName(QStringLiteral("FontName"));
    FontName->SetStyle(csDropDownList);
    FontName->Items()->SetStringList(QFontDatabase::families());
    FontName->setMinimumWidth(150);
    FontName->setParent(bar);
    row->addWidget(FontName);
    FontSize = new TSpinEdit(this);
    FontSize->SetName(QStringLiteral("FontSize"));
    FontSize->setRange(1, 1638);
    FontSize->setParent(bar);
    row->addWidget(FontSize);
    gap();
    BoldButton = ToolButton("BoldButton", QStringLiteral("B"), QStringLiteral("B"));
    ItalicButton = ToolButton("ItalicButton", QStringLiteral("I"), QStringLiteral("I"));
    UnderlineButton = ToolButton("UnderlineButton", QStringLiteral("U"), QStringLiteral("U"));
    QFont f = BoldButton->font();
    f.setBold(true);
    BoldButton->setFont(f);
    f.setBold(false);
    f.setItalic(true);
    ItalicButton->setFont(f);
    f.setItalic(false);
    f.setUnderline(true);
    UnderlineButton->setFont(f);
    for (TSpeedButton *b : {BoldButton, ItalicButton, UnderlineButton}) {
        b->setCheckable(true);
        row->addWidget(b);
    }
    gap();
    LeftAlign = ToolButton("LeftAlign", QStringLiteral("\u2630"), QStringLiteral("Align Left"));
    CenterAlign = ToolButton("CenterAlign", QStringLiteral("\u2261"), QStringLiteral("Center"));
    RightAlign = ToolButton("RightAlign", QStringLiteral("\u2637"), QStringLiteral("Align Right"));
    for (TSpeedButton *b : {LeftAlign, CenterAlign, RightAlign}) {
        b->SetGroupIndex(1);
        row->addWidget(b);
    }
    BulletsButton = ToolButton("BulletsButton", QStringLiteral("\u2022"), QStringLiteral("Bullets"));
    BulletsButton->setCheckable(true);
    row->addWidget(BulletsButton);
    gap();
    ExpressionButton = ToolButton("ExpressionButton", QStringLiteral("%%"), QStringLiteral("add new expression-field"));
    ExpressionButton->setEnabled(FReport != nullptr);
    RemoveLineButton = ToolButton("RemoveLineButton", QStringLiteral("%DEL"), QStringLiteral("Remove line if empty"));
    row->addWidget(ExpressionButton);
    row->addWidget(RemoveLineButton);
    row->addStretch(1);
    for (QWidget *w : bar->findChildren<TSpeedButton *>()) w->setParent(bar);
    for (int i = 0; i < row->count(); ++i)
        if (QWidget *w = row->itemAt(i)->widget()) w->setParent(bar);
    static_cast<QVBoxLayout *>(layout())->addWidget(bar);

    connect(OpenButton, &QToolButton::clicked, this, [this] { FileOpen(); });
    connect(SaveButton, &QToolButton::clicked, this, [this] { FileSave(); });
    connect(PrintButton, &QToolButton::clicked, this, [this] { FilePrint(); });
    connect(UndoButton, &QToolButton::clicked, RichEdit1, &QTextEdit::undo);
    connect(CutButton, &QToolButton::clicked, RichEdit1, &QTextEdit::cut);
    connect(CopyButton, &QToolButton::clicked, RichEdit1, &QTextEdit::copy);
    connect(PasteButton, &QToolButton::clicked, RichEdit1, &QTextEdit::paste);
    connect(BoldButton, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        ApplyCharFormat(format);
    });
    connect(ItalicButton, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        ApplyCharFormat(format);
    });
    connect(UnderlineButton, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        ApplyCharFormat(format);
    });
    // The usual keys, on the window, since the buttons take no focus.
    auto key = [this](const QKeySequence &keys, TSpeedButton *button) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        addAction(action);
        connect(action, &QAction::triggered, button, &QToolButton::click);
    };
    key(QKeySequence::Bold, BoldButton);
    key(QKeySequence::Italic, ItalicButton);
    key(QKeySequence::Underline, UnderlineButton);
    connect(LeftAlign, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignLeft); });
    connect(CenterAlign, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignHCenter); });
    connect(RightAlign, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignRight); });
    connect(BulletsButton, &QToolButton::clicked, this, [this] { ToggleBullets(); });
    connect(ExpressionButton, &QToolButton::clicked, this, [this] { InsertExpression(); });
    connect(RemoveLineButton, &QToolButton::clicked, this, [this] { ToggleRemoveLine(); });
    connect(FontName, &QComboBox::activated, this, [this] {
        if (FUpdating) return;
        QTextCharFormat format;
        format.setFontFamilies({FontName->currentText()});
        ApplyCharFormat(format);
    });
    connect(FontSize, &QSpinBox::valueChanged, this, [this](int size) {
        if (FUpdating) return;
        QTextCharFormat format;
        format.setFontPointSize(size);
        ApplyCharFormat(format);
    });
}

void TRicheditForm::CreateRuler() {
    Ruler = new TPanel(this);
    Ruler->SetName(QStringLiteral("Ruler"));
    Ruler->setParent(this);
    Ruler->setFrameShape(QFrame::NoFrame);
    Ruler->setFixedHeight(26);
    FirstInd = Marker(Ruler, QStringLiteral("FirstInd"), QStringLiteral("\u25BD"));
    LeftInd = Marker(Ruler, QStringLiteral("LeftInd"), QStringLiteral("\u25B3"));
    RightInd = Marker(Ruler, QStringLiteral("RightInd"), QStringLiteral("\u25B3"));
    FirstInd->move(0, 0);
    LeftInd->move(0, 14);
    RightInd->move(0, 14);
    RulerLine = new QLabel(Ruler);
    RulerLine->setObjectName(QStringLiteral("RulerLine"));
    QString ticks;
    for (int i = 0; i < 100; ++i) ticks += QStringLiteral("\t|");
    RulerLine->setText(ticks);
    RulerLine->setGeometry(4, 9, 100, 6);
    RulerLine->setStyleSheet(QStringLiteral("font-size: 5px; color: gray;"));
    for (QLabel *m : {FirstInd, LeftInd, RightInd}) {
        m->installEventFilter(this);
        m->raise();
    }
    static_cast<QVBoxLayout *>(layout())->addWidget(Ruler);
}

int TRicheditForm::RulerWidth() const { return Ruler->contentsRect().width(); }

void TRicheditForm::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    RulerLine->resize(qMax(0, RulerWidth() - 2 * RulerLine->x()), RulerLine->height());
    UpdateToolbar();
}

// ---- paragraph indents ----

int TRicheditForm::FirstIndent() const {
    const QTextBlockFormat f = RichEdit1->textCursor().blockFormat();
    return qRound((f.leftMargin() + f.textIndent()) / PixelsPerPoint);
}

int TRicheditForm::LeftIndent() const { return qRound(-RichEdit1->textCursor().blockFormat().textIndent() / PixelsPerPoint); }

int TRicheditForm::RightIndent() const { return qRound(RichEdit1->textCursor().blockFormat().rightMargin() / PixelsPerPoint); }

namespace {

// The first line starts at First; the other lines at First + Left.
void SetIndents(QTextEdit *Edit, int First, int Left) {
    QTextBlockFormat f;
    f.setLeftMargin((First + Left) * PixelsPerPoint);
    f.setTextIndent(-Left * PixelsPerPoint);
    QTextCursor cursor = Edit->textCursor();
    cursor.mergeBlockFormat(f);
    Edit->setTextCursor(cursor);
}

}  // namespace

void TRicheditForm::SetFirstIndent(int Points) { SetIndents(RichEdit1, Points, LeftIndent()); }

void TRicheditForm::SetLeftIndent(int Points) { SetIndents(RichEdit1, FirstIndent(), Points); }

void TRicheditForm::SetRightIndent(int Points) {
    QTextBlockFormat f;
    f.setRightMargin(Points * PixelsPerPoint);
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.mergeBlockFormat(f);
    RichEdit1->setTextCursor(cursor);
}

// ---- tool bar ----

void TRicheditForm::UpdateToolbar() {
    if (!RichEdit1 || !Ruler) return;
    FUpdating = true;
    const int first = FirstIndent();
    FirstInd->move(Trunc(first * RulerAdj) - 4 + GutterWid, FirstInd->y());
    LeftInd->move(Trunc((LeftIndent() + first) * RulerAdj) - 4 + GutterWid, LeftInd->y());
    RightInd->move((RulerWidth() - 6) - Trunc((RightIndent() + GutterWid) * RulerAdj), RightInd->y());
    const QTextCharFormat format = RichEdit1->currentCharFormat();
    BoldButton->setChecked(format.fontWeight() >= QFont::Bold);
    ItalicButton->setChecked(format.fontItalic());
    UnderlineButton->setChecked(format.fontUnderline());
    BulletsButton->setChecked(RichEdit1->textCursor().currentList() != nullptr);
    const QFont font = format.font();
    FontSize->setValue(qMax(1, qRound(font.pointSizeF() > 0 ? font.pointSizeF() : RichEdit1->font().pointSizeF())));
    FontName->setCurrentIndex(FontName->findText(font.family()));
    const Qt::Alignment align = RichEdit1->alignment();
    if (align & Qt::AlignHCenter)
        CenterAlign->SetDown(true);
    else if (align & Qt::AlignRight)
        RightAlign->SetDown(true);
    else
        LeftAlign->SetDown(true);
    StatusBar->setText(RichEdit1->document()->isModified() ? QStringLiteral("Modified") : QString());
    FUpdating = false;
}

void TRicheditForm::ApplyCharFormat(const QTextCharFormat &Format) {
    QTextCursor cursor = RichEdit1->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(Format);
    else
        RichEdit1->mergeCurrentCharFormat(Format);
    RichEdit1->setFocus();
}

void TRicheditForm::SetAlignment(Qt::Alignment Alignment) {
    if (FUpdating) return;
    RichEdit1->setAlignment(Alignment);
}

void TRicheditForm::ToggleBullets() {
    if (FUpdating) return;
    QTextCursor cursor = RichEdit1->textCursor();
    if (QTextList *list = cursor.currentList()) {
        const QTextBlock block = cursor.block();
        list->remove(block);
        QTextBlockFormat f = cursor.blockFormat();
        f.setIndent(0);
        cursor.setBlockFormat(f);
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    UpdateToolbar();
}

void TRicheditForm::ChooseFont() {
    QFont font = RichEdit1->document()->defaultFont();
    QColor color = RichEdit1->textColor();
    if (!Interaction().SelectFont(font, color)) return;
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(color);
    ApplyCharFormat(format);
}

// ---- ruler markers ----

bool TRicheditForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::ToolTip) {
        if (auto *b = qobject_cast<TSpeedButton *>(watched)) {
            // A hint is "short|long": the tool tip shows the short part.
            const QString hint = b->Hint().section(QLatin1Char('|'), 0, 0);
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), hint, b);
            return true;
        }
    }
    auto *marker = qobject_cast<QLabel *>(watched);
    if (!marker || (marker != FirstInd && marker != LeftInd && marker != RightInd)) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton) return false;
        MarkerDown(marker, int(static_cast<QMouseEvent *>(event)->position().x()));
        return true;
    case QEvent::MouseMove:
        MarkerMove(marker, int(static_cast<QMouseEvent *>(event)->position().x()));
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton) return false;
        MarkerUp(marker);
        return true;
    default:
        return false;
    }
}

void TRicheditForm::MarkerDown(QLabel *Marker, int X) {
    FDragOfs = Marker->width() / 2;
    Marker->move(Marker->x() + X - FDragOfs, Marker->y());
    FDragging = true;
}

void TRicheditForm::MarkerMove(QLabel *Marker, int X) {
    if (FDragging) Marker->move(Marker->x() + X - FDragOfs, Marker->y());
}

void TRicheditForm::MarkerUp(QLabel *Marker) {
    if (!FDragging) return;
    FDragging = false;
    // Marker pixels back to points are rounded, not truncated: the markers are placed at the
    // truncated pixel of an indent, and truncating again would take a point off two indents in
    // three whenever a marker is merely clicked or dragged back to where it was.
    if (Marker == FirstInd) {
        SetFirstIndent(qRound((FirstInd->x() + FDragOfs - 6) * 0.75));
        Marker = LeftInd;  // the left-indent rule follows
    }
    if (Marker == LeftInd)
        SetLeftIndent(qRound((LeftInd->x() + FDragOfs - 6) * 0.75) - FirstIndent());
    else if (Marker == RightInd)
        SetRightIndent(qRound((RulerWidth() - RightInd->x() + FDragOfs - 2) * 0.75) - 12);
    UpdateToolbar();
}

// ---- files ----

bool TRicheditForm::CheckFileSave() {
    if (!RichEdit1->document()->isModified()) return true;
    switch (Interaction().Confirm(QStringLiteral("Save changes to %1?").arg(FFileName), TConfirmButtons::YesNoCancel,
                                  windowTitle())) {
    case mrYes:
        return FileSave();
    case mrNo:
        return true;
    default:
        return false;
    }
}

void TRicheditForm::FileNew() {
    SetFileName(Untitled);
    RichEdit1->clear();
    RichEdit1->document()->setModified(false);
    UpdateToolbar();
}

void TRicheditForm::FileOpen() {
    if (!CheckFileSave()) return;
    TFileDialogOptions options;
    options.Filter = QtFilter(FileFilter);
    options.InitialDir = QCoreApplication::applicationDirPath();
    options.DefaultExt = QStringLiteral("RTF");
    QString name;
    if (!Interaction().OpenFileName(options, name) || name.isEmpty()) return;
    if (!ReadFile(name)) return;
    SetFileName(name);
    RichEdit1->ensureCursorVisible();
    RichEdit1->document()->setModified(false);
    UpdateToolbar();
}

bool TRicheditForm::FileSave() {
    if (FFileName == Untitled) return FileSaveAs();
    if (!WriteFile(FFileName)) return false;
    RichEdit1->document()->setModified(false);
    UpdateToolbar();
    return true;
}

bool TRicheditForm::FileSaveAs() {
    TFileDialogOptions options;
    options.Filter = QtFilter(FileFilter);
    options.DefaultExt = QStringLiteral("RTF");
    options.FileName = FFileName == Untitled ? QString() : FFileName;
    QString name;
    if (!Interaction().SaveFileName(options, name) || name.isEmpty()) return false;
    if (QFileInfo::exists(name) &&
        Interaction().Confirm(QStringLiteral("OK to overwrite %1").arg(name), TConfirmButtons::YesNoCancel,
                              windowTitle()) != mrYes)
        return false;
    if (!WriteFile(name)) return false;
    SetFileName(name);
    RichEdit1->document()->setModified(false);
    UpdateToolbar();
    return true;
}

namespace {

bool IsTextFile(const QString &Name) { return Name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive); }

}  // namespace

bool TRicheditForm::WriteFile(const QString &Name) {
    QFile file(Name);
    const QByteArray data = IsTextFile(Name) ? RichEdit1->toPlainText().toUtf8() : RichEdit1->SaveToData();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size() || !file.flush()) {
        Interaction().ShowError(QStringLiteral("Cannot write %1: %2").arg(Name, file.errorString()), windowTitle());
        return false;
    }
    return true;
}

bool TRicheditForm::ReadFile(const QString &Name) {
    QFile file(Name);
    if (!file.open(QIODevice::ReadOnly)) {
        Interaction().ShowError(QStringLiteral("Cannot open %1: %2").arg(Name, file.errorString()), windowTitle());
        return false;
    }
    const QByteArray data = file.readAll();
    if (IsTextFile(Name))
        RichEdit1->setPlainText(QString::fromUtf8(data));
    else
        RichEdit1->LoadFromData(data);
    RichEdit1->document()->setDocumentMargin(GutterWid);
    return true;
}

void TRicheditForm::FilePrint() {
    QPrinter printer;
    if (!Interaction().PrinterSetup(printer)) return;
    RichEdit1->document()->print(&printer);
}

// ---- the designer's commands ----

void TRicheditForm::InsertExpression() {
    if (!FReport) return;
    QTextCursor cursor = RichEdit1->textCursor();
    QString expression = cursor.selectedText();
    if (!EditExpression(FReport, expression) || expression.isEmpty()) return;
    cursor.insertText(MemoEditing::ExpressionInsert(expression, MemoEditing::ExpressionIsNumeric(FReport, expression)));
    RichEdit1->setTextCursor(cursor);
}

void TRicheditForm::ToggleRemoveLine() { MemoEditing::ToggleRemoveMarkerAt(RichEdit1->textCursor()); }
