#pragma once
// Text controls: a label, a one-line edit, a multi-line memo and a spin edit.
#include "host/control.h"
#include "host/strings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

class TLabel : public TControlOf<QLabel> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    // The control that the label's accelerator (&x in the caption) focuses.
    Q_PROPERTY(QWidget *FocusControl READ buddy WRITE setBuddy)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TLabel(TComponent *AOwner = nullptr);

    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    TMethod FOnClick;
};

// OnChange fires on every change of the text, typed or set.
class TEdit : public TControlOf<QLineEdit> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int MaxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(TMethod OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(TMethod OnKeyDown READ OnKeyDown WRITE SetOnKeyDown)
public:
    Q_INVOKABLE explicit TEdit(TComponent *AOwner = nullptr);

    TMethod OnChange() const { return FOnChange; }
    void SetOnChange(const TMethod &value) { FOnChange = value; }

private:
    TMethod FOnChange;
};

// Lines and the displayed text stay in step both ways: editing Lines redraws the memo, typing
// updates Lines. OnChange fires on every change of the text.
class TMemo : public TControlOf<QPlainTextEdit> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(TStrings *Lines READ Lines)
    Q_PROPERTY(QString Text READ toPlainText WRITE setPlainText)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(TMethod OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(TMethod OnKeyDown READ OnKeyDown WRITE SetOnKeyDown)
public:
    Q_INVOKABLE explicit TMemo(TComponent *AOwner = nullptr);
    ~TMemo() override { StopSignals(); }

    TStrings *Lines() { return &FLines; }
    bool WordWrap() const { return lineWrapMode() != QPlainTextEdit::NoWrap; }
    void SetWordWrap(bool value) { setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }
    TMethod OnChange() const { return FOnChange; }
    void SetOnChange(const TMethod &value) { FOnChange = value; }

private:
    void LinesChanged();
    void TextChanged();

    TStringList FLines;
    bool FSyncing = false;
    TMethod FOnChange;
};

// OnChange fires on every change of Value, stepped, typed or set.
class TSpinEdit : public TControlOf<QSpinBox> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(int MinValue READ minimum WRITE setMinimum)
    Q_PROPERTY(int MaxValue READ maximum WRITE setMaximum)
    Q_PROPERTY(int Increment READ singleStep WRITE setSingleStep)
    Q_PROPERTY(TMethod OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(TMethod OnKeyDown READ OnKeyDown WRITE SetOnKeyDown)
public:
    Q_INVOKABLE explicit TSpinEdit(TComponent *AOwner = nullptr);

    TMethod OnChange() const { return FOnChange; }
    void SetOnChange(const TMethod &value) { FOnChange = value; }

private:
    TMethod FOnChange;
};
