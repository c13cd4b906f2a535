#pragma once

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>

class QTextLayout;

namespace griffwandler::controls {

// A text box: the caption wraps at word boundaries to the box's width, each line
// flush left or centred, from the top of the box down; the box never changes its
// size for the text. Transparent unless made opaque. Never takes the focus.
class LabelControl : public QWidget {
    Q_OBJECT
public:
    // One laid-out line: its characters (blanks inside the line kept as they are) and
    // where it is drawn, in widget coordinates.
    struct Line {
        QString text;
        QRectF rect;
    };

    explicit LabelControl(QWidget *parent = nullptr);
    ~LabelControl() override;

    void setCaption(const QString &caption);
    QString caption() const;

    void setCentred(bool centred);
    bool isCentred() const;

    // An invalid colour keeps the current back colour.
    void setOpaque(bool opaque, const QColor &backColor = {});
    bool isOpaque() const;
    QColor backColor() const;

    // The lines as they are painted for the current caption, font and width.
    QList<Line> lines() const;

    // The caption as screen readers read it, each explicit line break one '\n'.
    QString readableText() const;
    // Where the character at `offset` of readableText() is drawn, in widget
    // coordinates; an empty rectangle for an offset outside the text.
    QRectF characterRect(int offset) const;
    // The offset in readableText() of the character drawn at `point`, or -1.
    int offsetAt(const QPointF &point) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<Line> layoutCaption(QTextLayout &layout) const;

    QString m_caption;
    bool m_centred = false;
    bool m_opaque = false;
    QColor m_backColor;
};

} // namespace griffwandler::controls
