#pragma once
// The small sample on the expert's "Fonts and lines" page: two columns of a list with headings
// in the label font, values in the data font, and the chosen lines drawn or left out.
#include <QPointer>
#include <QWidget>

class TFont;

class TExpertSample : public QWidget {
    Q_OBJECT
public:
    explicit TExpertSample(QWidget *parent = nullptr);

    void SetFonts(TFont *LabelFont, TFont *DataFont);
    void SetLines(bool Horizontal, bool Vertical, bool Box);
    bool HorizontalLines() const { return FHorizontal; }
    bool VerticalLines() const { return FVertical; }
    bool BoxLines() const { return FBox; }

    QSize sizeHint() const override { return QSize(220, 160); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TFont *FLabelFont = nullptr, *FDataFont = nullptr;
    bool FHorizontal = false, FVertical = false, FBox = false;
};
