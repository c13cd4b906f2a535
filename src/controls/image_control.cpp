#include "image_control.h"

#include "accessibility.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace griffwandler::controls {

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    installAccessibleFactory();
    setFocusPolicy(Qt::NoFocus);
}

ImageControl::~ImageControl() = default;

void ImageControl::setPicture(const QPixmap &picture, const QString &description,
                              const QString &detail)
{
    m_picture.set(this, picture, description, detail);
}

QPixmap ImageControl::picture() const
{
    return m_picture.pixmap();
}

QString ImageControl::pictureDescription() const
{
    return m_picture.description();
}

QString ImageControl::pictureDetail() const
{
    return m_picture.detail();
}

QSize ImageControl::sizeHint() const
{
    return m_picture.size();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.pixmap().isNull())
        return;
    QPainter painter(this);
    // Drawn at its logical size, so a high-resolution twin stays sharp.
    painter.drawPixmap(QPoint(0, 0), m_picture.pixmap());
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool wasPressed = std::exchange(m_leftPressed, false);
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace griffwandler::controls
