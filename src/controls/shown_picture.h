#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

namespace griffwandler::controls {

// The picture a control shows, with what screen readers say of it: the
// description names it, the detail may follow the name.
class ShownPicture {
public:
    // Takes the new picture, repaints `control` and tells screen readers when
    // the name or the detail changed, unless the control's own accessible name or
    // description stands in their place.
    void set(QWidget *control, const QPixmap &pixmap, const QString &description,
             const QString &detail);

    const QPixmap &pixmap() const { return m_pixmap; }
    const QString &description() const { return m_description; }
    const QString &detail() const { return m_detail; }
    // The picture's size in device-independent pixels; 0 x 0 without a picture.
    QSize size() const
    {
        return m_pixmap.isNull() ? QSize(0, 0) : m_pixmap.deviceIndependentSize().toSize();
    }

private:
    QPixmap m_pixmap;
    QString m_description;
    QString m_detail;
};

} // namespace griffwandler::controls
