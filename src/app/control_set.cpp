#include "control_set.h"

#include "assets/bilder.h"
#include "chart/akkorde.h"
#include "controls/command_button.h"
#include "controls/image_control.h"
#include "controls/label_control.h"
#include "controls/shape_control.h"
#include "services/platform.h"
#include "services/twips.h"
#include "spoken_chart.h"

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

BildInhalt bildInhalt(assets::BildId id)
{
    const SpokenPicture spoken = spokenPicture(id);
    return {assets::bild(id), spoken.name, spoken.detail};
}

QColor fromOleColor(OleColor bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QRect toPixels(const Twips &twips)
{
    using services::twipsToPixels;
    return QRect(twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
                 twipsToPixels(twips.height));
}

ControlSet::ControlSet(QWidget &form)
{
    // The chain of the Tab key, by TabIndex.
    std::map<int, QWidget *> tabOrder;
    for (const ControlRow &row : formDefinition()) {
        auto &elements = m_widgets[static_cast<std::size_t>(row.name)];
        elements.resize(std::max<qsizetype>(elements.size(), elementCount(row.name)));
        for (int index : row.stacking) {
            QWidget *widget = build(form, row, index);
            if (row.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus)
                tabOrder.emplace(row.tabIndex + slot(index), widget);
        }
    }
    QWidget *previous = nullptr;
    // A plain loop: the C++ library of the web build has no views::values.
    for (const auto &entry : tabOrder) {
        QWidget *widget = entry.second;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget *ControlSet::create(QWidget &form, const ControlRow &row, int index)
{
    switch (row.kind) {
    case ControlKind::CommandButton: {
        auto *button = new controls::CommandButton(&form);
        button->setFaceColor(fromOleColor(row.backColor));
        button->setText(textOf(row.captions, index));
        // Buttons without caption or picture (pointer lines, capo strips) are
        // named by their tooltip; the others by caption or picture.
        if (row.captions.empty() && !row.startbild)
            button->setAccessibleName(textOf(row.tooltips, index).trimmed());
        return button;
    }
    case ControlKind::Label: {
        auto *label = new controls::LabelControl(&form);
        label->setCaption(textOf(row.captions, index));
        label->setCentred(row.centred);
        label->setOpaque(row.opaque, fromOleColor(row.backColor));
        return label;
    }
    case ControlKind::Image:
        return new controls::ImageControl(&form);
    case ControlKind::Shape: {
        auto *shape = new controls::ShapeControl(&form);
        shape->setBackColor(fromOleColor(row.backColor));
        if (row.insideBorder)
            shape->setInsideBorder(fromOleColor(row.backColor));
        return shape;
    }
    }
    throw std::logic_error("unbekannte Art von Steuerelement");
}

QWidget *ControlSet::build(QWidget &form, const ControlRow &row, int index)
{
    QWidget *widget = create(form, row, index);
    const Steuerelement control{row.name, index};
    widget->setObjectName(toString(control));
    widget->setGeometry(toPixels(row.geometry(index)));
    widget->setToolTip(textOf(row.tooltips, index));
    if (row.font == Font::Form)
        widget->setFont(assets::formFont());
    else if (row.font == Font::Control)
        widget->setFont(assets::controlFont());
    if (row.pointer == Pointer::ButtonHand)
        widget->setCursor(services::platform().pictureCursors() ? assets::buttonPointer()
                                                                : QCursor(Qt::PointingHandCursor));
    else if (row.pointer == Pointer::Arrow)
        widget->setCursor(Qt::ArrowCursor);
    widget->setVisible(row.visibleAtStart);
    // Each new control lies behind all controls created before it.
    widget->lower();

    m_widgets[static_cast<std::size_t>(row.name)][slot(index)] = widget;
    if (row.startbild) {
        const assets::BildId bild{row.startbild->art, row.startbild->jeElement ? index : 0};
        setPicture(control, QVariant::fromValue(bildInhalt(bild)));
    }
    return widget;
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
        return QVariant::fromValue(
            BildInhalt{button->picture(), button->pictureDescription(), button->pictureDetail()});
    const controls::ImageControl *picture = image(control);
    return QVariant::fromValue(
        BildInhalt{picture->picture(), picture->pictureDescription(), picture->pictureDetail()});
}

void ControlSet::setPicture(Steuerelement control, const Bild &bild)
{
    if (!bild.canConvert<BildInhalt>())
        throw std::invalid_argument("kein Bild: " + bild.toString().toStdString());
    const auto picture = bild.value<BildInhalt>();
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
