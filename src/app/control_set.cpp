#include "control_set.h"

#include "akkorde.h"
#include "bilder.h"
#include "command_button.h"
#include "image_control.h"
#include "label_control.h"
#include "plattform.h"
#include "shape_control.h"
#include "twips.h"

#include <QColor>
#include <QWidget>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace griffwandler::app {

namespace {

// A row's text of one element: the one text all elements share, or the
// element's own (the table's spans are checked when it is compiled).
QString textOf(std::span<const std::u16string_view> texts, int index)
{
    if (texts.empty())
        return {};
    return text(texts.size() == 1 ? texts[0] : texts[std::size_t(std::max(index, 0))]);
}

int slot(int index)
{
    return std::max(index, 0);
}

std::out_of_range noSuchControl(Steuerelement control, const char *what)
{
    return std::out_of_range(toString(control).toStdString() + what);
}

} // namespace

QColor fromOleColor(OleColor bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QRect toPixels(const Twips &twips)
{
    using services::twipsZuPixeln;
    return QRect(twipsZuPixeln(twips.left), twipsZuPixeln(twips.top), twipsZuPixeln(twips.width),
                 twipsZuPixeln(twips.height));
}

ControlSet::ControlSet(QWidget &form)
{
    for (const ControlRow &row : formDefinition()) {
        auto &elements = m_widgets[static_cast<std::size_t>(row.name)];
        elements.resize(std::max<qsizetype>(elements.size(), elementCount(row.name)));
        for (int index : row.stacking)
            build(form, row, index);
    }
    setTabOrder();
}

void ControlSet::build(QWidget &form, const ControlRow &row, int index)
{
    QWidget *widget = nullptr;
    switch (row.kind) {
    case ControlKind::CommandButton: {
        auto *button = new controls::CommandButton(&form);
        button->setFaceColor(fromOleColor(row.backColor));
        button->setText(textOf(row.captions, index));
        widget = button;
        break;
    }
    case ControlKind::Label: {
        auto *label = new controls::LabelControl(&form);
        label->setCaption(textOf(row.captions, index));
        label->setCentred(row.centred);
        label->setOpaque(row.opaque, fromOleColor(row.backColor));
        widget = label;
        break;
    }
    case ControlKind::Image:
        widget = new controls::ImageControl(&form);
        break;
    case ControlKind::Shape: {
        auto *shape = new controls::ShapeControl(&form);
        shape->setBackColor(fromOleColor(row.backColor));
        if (row.insideBorder)
            shape->setInsideBorder(fromOleColor(row.backColor));
        widget = shape;
        break;
    }
    }

    const Steuerelement control{row.name, index};
    widget->setObjectName(toString(control));
    widget->setGeometry(toPixels(row.geometry(index)));
    widget->setToolTip(textOf(row.tooltips, index));
    if (row.font == Font::Form)
        widget->setFont(assets::formFont());
    else if (row.font == Font::Control)
        widget->setFont(assets::controlFont());
    if (row.pointer == Pointer::ButtonHand)
        widget->setCursor(services::plattform().bildZeiger() ? assets::buttonPointer()
                                                             : QCursor(Qt::PointingHandCursor));
    else if (row.pointer == Pointer::Arrow)
        widget->setCursor(Qt::ArrowCursor);
    if (row.tabIndex >= 0)
        widget->setProperty("TabIndex", row.tabIndex + slot(index));
    // Buttons without caption or picture (pointer lines, capo strips) are
    // named by their tooltip; the others by caption or picture.
    if (row.kind == ControlKind::CommandButton && row.captions.empty() && !row.startbild)
        widget->setAccessibleName(textOf(row.tooltips, index).trimmed());
    widget->setVisible(row.visibleAtStart);
    // Each new control lies behind all controls created before it.
    widget->lower();

    m_widgets[static_cast<std::size_t>(row.name)][slot(index)] = widget;
    if (row.startbild) {
        const assets::BildId bild{row.startbild->art, row.startbild->jeElement ? index : 0};
        setPicture(control, QVariant::fromValue(assets::picture(bild)));
    }
}

void ControlSet::setTabOrder()
{
    std::map<int, QWidget *> byTabIndex;
    for (const auto &elements : m_widgets)
        for (QWidget *widget : elements)
            if (widget && widget->focusPolicy() != Qt::NoFocus)
                byTabIndex.emplace(widget->property("TabIndex").toInt(), widget);
    QWidget *previous = nullptr;
    for (const auto &[tabIndex, widget] : byTabIndex) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget *ControlSet::widget(Steuerelement control) const
{
    const auto &elements = m_widgets.at(static_cast<std::size_t>(control.name));
    const bool array = isArray(control.name);
    if ((array && (control.index < 0 || control.index >= elements.size())) ||
        (!array && control.index != -1))
        throw noSuchControl(control, " is not a control of the window");
    QWidget *widget = elements[slot(control.index)];
    if (!widget) // a name and index the table promises but no row built
        throw std::logic_error(toString(control).toStdString() + " was never built");
    return widget;
}

controls::CommandButton *ControlSet::button(Steuerelement control) const
{
    if (auto *button = qobject_cast<controls::CommandButton *>(widget(control)))
        return button;
    throw noSuchControl(control, " is not a button");
}

controls::ImageControl *ControlSet::image(Steuerelement control) const
{
    if (auto *image = qobject_cast<controls::ImageControl *>(widget(control)))
        return image;
    throw noSuchControl(control, " is not an image");
}

controls::LabelControl *ControlSet::label(Steuerelement control) const
{
    if (auto *label = qobject_cast<controls::LabelControl *>(widget(control)))
        return label;
    throw noSuchControl(control, " is not a label");
}

int ControlSet::count() const
{
    int n = 0;
    for (const auto &elements : m_widgets)
        n += static_cast<int>(elements.size());
    return n;
}

void ControlSet::setVisible(Steuerelement control, bool visible)
{
    widget(control)->setVisible(visible);
}

Bild ControlSet::picture(Steuerelement control) const
{
    if (auto *button = qobject_cast<controls::CommandButton *>(widget(control)))
        return QVariant::fromValue(assets::Picture{button->picture(), button->pictureDescription(),
                                                   button->pictureDetail()});
    const controls::ImageControl *picture = image(control);
    return QVariant::fromValue(assets::Picture{picture->picture(), picture->pictureDescription(),
                                               picture->pictureDetail()});
}

void ControlSet::setPicture(Steuerelement control, const Bild &bild)
{
    if (!bild.canConvert<assets::Picture>())
        throw std::invalid_argument("not a picture: " + bild.toString().toStdString());
    const auto picture = bild.value<assets::Picture>();
    QWidget *w = widget(control);
    if (auto *button = qobject_cast<controls::CommandButton *>(w))
        button->setPicture(picture.pixmap, picture.description, picture.detail);
    else
        image(control)->setPicture(picture.pixmap, picture.description, picture.detail);
}

void ControlSet::setCaption(Steuerelement control, const QString &caption)
{
    label(control)->setCaption(caption);
}

} // namespace griffwandler::app
