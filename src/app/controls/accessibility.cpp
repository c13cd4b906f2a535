#include "accessibility.h"

#include "command_button.h"
#include "image_control.h"
#include "label_control.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace griffwandler::controls {

namespace {

// A name set explicitly with QWidget::setAccessibleName always wins.
QString explicitOr(const QWidget *widget, const QString &fallback)
{
    const QString name = widget->accessibleName();
    return name.isEmpty() ? fallback : name;
}

// A picture's detail describes the control unless a description was set explicitly;
// without either, Qt's own description (the tooltip) stays.
QString describedBy(const QAccessibleWidget &iface, const QString &detail)
{
    if (detail.isEmpty() ||
        !static_cast<QWidget *>(iface.object())->accessibleDescription().isEmpty())
        return iface.QAccessibleWidget::text(QAccessible::Description);
    return detail;
}

void announce(QObject *control, QAccessible::Event change)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(control, change);
    QAccessible::updateAccessibility(&event);
}

class AccessibleCommandButton : public QAccessibleWidget {
public:
    explicit AccessibleCommandButton(CommandButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return describedBy(*this, button()->pictureDetail());
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = stripAccessKeyMarkers(button()->text());
        return explicitOr(button(), caption.isEmpty() ? button()->pictureDescription() : caption);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        s.defaultButton = button()->isDefaultRole();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    CommandButton *button() const { return static_cast<CommandButton *>(object()); }
};

// A control named by a text of its own (a picture's description, a caption).
template <typename Control, QAccessible::Role Role, QString (Control::*NameOf)() const>
class AccessibleByText : public QAccessibleWidget {
public:
    explicit AccessibleByText(Control *control) : QAccessibleWidget(control, Role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        return explicitOr(widget(), (static_cast<Control *>(object())->*NameOf)());
    }
};

class AccessibleImage : public AccessibleByText<ImageControl, QAccessible::Graphic,
                                                &ImageControl::pictureDescription> {
public:
    using AccessibleByText::AccessibleByText;

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return describedBy(*this, static_cast<ImageControl *>(object())->pictureDetail());
        return AccessibleByText::text(t);
    }
};
using AccessibleLabel =
    AccessibleByText<LabelControl, QAccessible::StaticText, &LabelControl::caption>;

QAccessibleInterface *controlsFactory(const QString &className, QObject *object)
{
    // Qt asks once per class of the object's hierarchy; answer only for the exact class.
    if (className == QLatin1StringView(CommandButton::staticMetaObject.className())) {
        if (auto *button = qobject_cast<CommandButton *>(object))
            return new AccessibleCommandButton(button);
    } else if (className == QLatin1StringView(ImageControl::staticMetaObject.className())) {
        if (auto *image = qobject_cast<ImageControl *>(object))
            return new AccessibleImage(image);
    } else if (className == QLatin1StringView(LabelControl::staticMetaObject.className())) {
        if (auto *label = qobject_cast<LabelControl *>(object))
            return new AccessibleLabel(label);
    }
    return nullptr;
}

} // namespace

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString stripAccessKeyMarkers(const QString &caption)
{
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            // "&&" stands for one literal '&'; a single '&' only marks the next letter.
            if (i + 1 < caption.size() && caption.at(i + 1) == u'&') {
                result.append(u'&');
                ++i;
            }
            continue;
        }
        result.append(caption.at(i));
    }
    return result;
}

void announceNameChange(QObject *control)
{
    announce(control, QAccessible::NameChanged);
}

void announceDescriptionChange(QObject *control)
{
    announce(control, QAccessible::DescriptionChanged);
}

} // namespace griffwandler::controls
