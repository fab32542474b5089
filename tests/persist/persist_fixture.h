#pragma once
// Shared pieces of the report file tests: a report form with its report and a designer
// stand-in, builders for bands and elements, hand assembly of report file bytes, and save/load
// round trips through memory.
#include "test_designer.h"

#include "host/forms.h"
#include "host/scripted_interaction.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include <QByteArray>
#include <memory>

// A report form: form, design report, designer stand-in.
struct TReportForm {
    TReportForm();
    ~TReportForm();

    std::unique_ptr<TForm> Form;
    TDesignReport *Report;
    TTestDesigner *Designer;

    template <class T>
    T *Add(const QString &name, QWidget *parent) {
        auto *c = new T(Form.get());
        c->SetName(name);
        c->SetParent(parent);
        return c;
    }
    TVendamoBand *AddBand(const QString &name, TRepBandType type, double height = 20);
    template <class T>
    T *AddElement(const QString &name, QWidget *parent, double left, double top, double width, double height) {
        T *e = Add<T>(name, parent);
        e->SetSizeValue(1, left);
        e->SetSizeValue(2, top);
        e->SetSizeValue(3, width);
        e->SetSizeValue(0, height);
        return e;
    }

    // Writes the report with datasets; the designer's options apply.
    QByteArray Save(bool saveDatasets = true);
    // Reads bytes into this form; true when the reader reports success.
    bool Load(const QByteArray &bytes, bool loadDatasets = true, const QString &fileName = QString());
    // Components of the form of a class, in component order.
    template <class T>
    QList<T *> All() const {
        QList<T *> list;
        for (TComponent *c : Form->Components())
            if (auto *t = qobject_cast<T *>(c->Object())) list << t;
        return list;
    }
    template <class T>
    T *Find(const QString &name) const {
        TComponent *c = Form->FindComponent(name);
        return c ? qobject_cast<T *>(c->Object()) : nullptr;
    }
};

// Little-endian bytes assembled by hand, for exact layout checks and hand-made files.
class TBytes {
public:
    TBytes &Byte(int v);
    TBytes &Word(int v);
    TBytes &Int(qint32 v);
    TBytes &Ext(double v);
    TBytes &Str(const QByteArray &latin1);              // length byte + bytes
    TBytes &Fixed(const QByteArray &latin1, int size = 256);  // length byte + bytes + zeros
    TBytes &Zeros(int count);
    TBytes &Raw(const QByteArray &bytes);
    // A record header.
    TBytes &Record(int kind, int size) { return Word(kind).Word(size); }
    const QByteArray &Data() const { return FData; }
    int Size() const { return int(FData.size()); }

private:
    QByteArray FData;
};

// Fixed blocks of hand-made files.
QByteArray FontBlock(qint32 color, int height, int pitch, int size, int style, const QByteArray &name);
// A report record (kind 255) with default-like values in the given units, no dataset, no
// description, Arial 10, empty hint and name.
QByteArray HandReportRecord(int units = 0, int paperSize = 9, double width = 210, double length = 297,
                            int options = 3);
// A label record on the band of that number.
QByteArray HandLabelRecord(int bandNum, const QByteArray &name, const QByteArray &caption, double left = 5,
                           double top = 2, double width = 30, double height = 5);
// A plain band record.
QByteArray HandBandRecord(int bandNum, int type, const QByteArray &name, double height = 20, int ownClass = 0,
                          int blockSize = 321);

// The start of every hand-made report: identifier and title record.
TBytes HandReportStart(const QByteArray &title = "Hand made");

// The index of the first occurrence of a record header (kind, size) at or after from; -1 if none.
int FindRecord(const QByteArray &bytes, int kind, int size, int from = 0);
