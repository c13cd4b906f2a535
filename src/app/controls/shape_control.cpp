#include "shape_control.h"

#include <QPainter>

namespace griffwandler::controls {

namespace {
// An opaque rectangle that names no colour of its own takes the classic window
// background colour.
const QColor kDefaultBack(255, 255, 255);
} // namespace

ShapeControl::ShapeControl(QWidget *parent) : QWidget(parent), m_backColor(kDefaultBack)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ShapeControl::~ShapeControl() = default;

void ShapeControl::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

QColor ShapeControl::backColor() const
{
    return m_backColor;
}

void ShapeControl::setInsideBorder(const QColor &color)
{
    m_border = color;
    update();
}

QColor ShapeControl::insideBorder() const
{
    return m_border;
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    if (!m_border.isValid())
        return;
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), m_border);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), m_border);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), m_border);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), m_border);
}

} // namespace griffwandler::controls
