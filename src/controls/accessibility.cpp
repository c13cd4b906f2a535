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

    QAccessible::Role role() const override
    {
        return button()->choice() == CommandButton::Choice::None ? QAccessible::Button
                                                                 : QAccessible::RadioButton;
    }

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
        s.checkable = button()->choice() != CommandButton::Choice::None;
        s.checked = button()->choice() == CommandButton::Choice::Chosen;
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

    QStringList keyBindingsForAction(const QString &actionName) const override
    {
        if (actionName != pressAction())
            return QAccessibleWidget::keyBindingsForAction(actionName);
        // One binding, as Qt's own buttons report their access key: screen readers
        // read several as mnemonic, path and accelerator.
        QKeySequence key = button()->shortcut();
        if (key.isEmpty() && !button()->clickKeys().isEmpty())
            key = button()->clickKeys().constFirst();
        if (key.isEmpty())
            return {};
        return {key.toString(QKeySequence::PortableText)};
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
// A label's caption is also its text, which screen readers review word by word and
// read in order with what lies around it. A line ends only at a line break of the
// caption, not where the box wraps it: read in screen order, the instructions would
// otherwise be broken up by the chord rows beside them.
class AccessibleLabel
    : public AccessibleByText<LabelControl, QAccessible::StaticText, &LabelControl::caption>,
      public QAccessibleTextInterface {
public:
    using AccessibleByText::AccessibleByText;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return AccessibleByText::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override { return AccessibleByText::text(t); }
    QString text(int startOffset, int endOffset) const override
    {
        return label()->readableText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(label()->readableText().size()); }

    QRect characterRect(int offset) const override
    {
        const QRectF r = label()->characterRect(offset);
        if (r.isEmpty())
            return {};
        return r.toAlignedRect().translated(label()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return label()->offsetAt(label()->mapFromGlobal(point));
    }

    // Read only: no caret, no selection, no attributes.
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    LabelControl *label() const { return static_cast<LabelControl *>(object()); }
};

// What a notification says; it is the window's child without size or paint of its own.
class Announcement : public QWidget {
    Q_OBJECT
public:
    explicit Announcement(QWidget *window) : QWidget(window)
    {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 0, 0);
        hide();
    }

    QString message;
};

class AccessibleAnnouncement : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncement(Announcement *announcement)
        : QAccessibleWidget(announcement, QAccessible::Notification)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<Announcement *>(object())->message;
        return QAccessibleWidget::text(t);
    }
};

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
    } else if (className == QLatin1StringView(Announcement::staticMetaObject.className())) {
        if (auto *announcement = qobject_cast<Announcement *>(object))
            return new AccessibleAnnouncement(announcement);
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

void announce(QWidget *window, const QString &message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt 6.8 asks screen readers for an announcement directly. Orca 48 drops a
    // notification that is shown and hidden at once (the "hidden" event makes it
    // discard the "showing" one), so the path below would be silent there. The
    // event goes out even before a screen reader has switched accessibility on:
    // it costs one lookup per fret, and Qt forwards it only to whoever listens.
    QAccessibleAnnouncementEvent event(window, message);
    QAccessible::updateAccessibility(&event);
#else
    installAccessibleFactory();
    auto *announcement = window->findChild<Announcement *>(QString(), Qt::FindDirectChildrenOnly);
    if (!announcement)
        announcement = new Announcement(window);
    announcement->message = message;
    if (!QAccessible::isActive())
        return;
    // Appearing is what makes a notification heard; it is hidden again at once, so
    // that it neither stands in the way nor is met again when the window is reviewed.
    announcement->show();
    announcement->hide();
#endif
}

} // namespace griffwandler::controls

#include "accessibility.moc"
