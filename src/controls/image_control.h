#pragma once

#include "shown_picture.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace griffwandler::controls {

// Shows a picture at its own size from the top-left corner, without a background
// of its own: transparent pixels show what lies behind. Never takes the focus.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent = nullptr);
    ~ImageControl() override;

    // The description names the image for screen readers, the detail is what they
    // may say after the name. The control keeps its geometry; the owner sizes it
    // (sizeHint() is the picture's size).
    void setPicture(const QPixmap &picture, const QString &description = {},
                    const QString &detail = {});
    QPixmap picture() const;
    QString pictureDescription() const;
    QString pictureDetail() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A left-button press and release, both inside the control.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ShownPicture m_picture;
    bool m_leftPressed = false;
};

} // namespace griffwandler::controls
