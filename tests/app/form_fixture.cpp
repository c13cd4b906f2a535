#include "form_fixture.h"

#include "assets/bilder.h"
#include "controls/label_control.h"

namespace griffwandler::test {

qint64 pictureKey(const app::GriffwandlerForm &form, Steuerelement control)
{
    return form.controlSet().picture(control).value<app::BildInhalt>().pixmap.cacheKey();
}

Snapshot snapshot(const app::GriffwandlerForm &form)
{
    Snapshot shot;
    for (int n = 0; n < NameCount; ++n) {
        const auto name = static_cast<Name>(n);
        for (int i = 0; i < elementCount(name); ++i) {
            const Steuerelement control{name, isArray(name) ? i : -1};
            QWidget *widget = form.controlSet().widget(control);
            const QString key = toString(control);
            shot.visible[key] = !widget->isHidden();
            if (auto *label = qobject_cast<controls::LabelControl *>(widget))
                shot.caption[key] = label->caption();
            else if (widget->inherits("griffwandler::controls::CommandButton") ||
                     widget->inherits("griffwandler::controls::ImageControl"))
                shot.picture[key] = pictureKey(form, control);
        }
    }
    return shot;
}

QStringList stackingOrder(const app::GriffwandlerForm &form)
{
    // A parent's children are kept back to front.
    const auto controls = snapshot(form).visible;
    QStringList order;
    for (QObject *child : form.children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && controls.contains(widget->objectName()))
            order.prepend(widget->objectName());
    }
    return order;
}

} // namespace griffwandler::test
