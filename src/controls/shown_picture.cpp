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
    // A name or description set on the control itself is what screen readers say;
    // a change they would not hear is not told, as every event counts for a screen
    // reader that drops events when too many arrive at once.
    if (std::exchange(m_description, description) != description &&
        control->accessibleName().isEmpty())
        announceNameChange(control);
    if (std::exchange(m_detail, detail) != detail && control->accessibleDescription().isEmpty())
        announceDescriptionChange(control);
}

} // namespace griffwandler::controls
