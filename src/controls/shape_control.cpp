#include "shape_control.h"

#include "classic_palette.h"

#include <QPainter>

namespace griffwandler::controls {

ShapeControl::ShapeControl(QWidget *parent) : QWidget(parent), m_backColor(classic::Window)
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
    frameLine(painter, rect(), m_border, m_border);
}

} // namespace griffwandler::controls
