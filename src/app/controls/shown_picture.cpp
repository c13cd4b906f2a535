#include "shown_picture.h"

#include "accessibility.h"

#include <QWidget>

#include <utility>

namespace griffwandler::controls {

void ShownPicture::set(QWidget *control, const QPixmap &pixmap, const QString &description,
                       const QString &detail)
{
    m_pixmap = pixmap;
    control->update();
    if (std::exchange(m_description, description) != description)
        announceNameChange(control);
    if (std::exchange(m_detail, detail) != detail)
        announceDescriptionChange(control);
}

} // namespace griffwandler::controls
