#pragma once

#include <QColor>
#include <QWidget>

namespace griffwandler::controls {

// An opaque rectangle in its back colour, optionally with a one-pixel solid border
// drawn inside the rectangle. Never takes the focus.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    explicit ShapeControl(QWidget *parent = nullptr);
    ~ShapeControl() override;

    void setBackColor(const QColor &color);
    QColor backColor() const;

    // An invalid colour removes the border.
    void setInsideBorder(const QColor &color);
    QColor insideBorder() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_backColor;
    QColor m_border;
};

} // namespace griffwandler::controls
