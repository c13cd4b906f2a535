#pragma once

#include "assets/bilder.h"
#include "chart/benannte_steuerelemente.h"
#include "form_definition.h"

#include <QList>
#include <QPixmap>
#include <QString>

#include <array>

class QColor;
class QRect;
class QWidget;

namespace griffwandler::controls {
class CommandButton;
class ImageControl;
class LabelControl;
} // namespace griffwandler::controls

namespace griffwandler::app {

// What a chart Bild holds in this window: the picture and what screen readers say
// of it, so that assigning a picture carries its name along.
struct BildInhalt {
    QPixmap pixmap;
    QString description;
    QString detail; // empty when there is nothing to add
};

// A picture of the set as a control of this window shows it.
BildInhalt bildInhalt(assets::BildId id);

// The window's 85 controls, built from the table formDefinition(), addressed by
// name and index. This is what the capo chart's write sequences act on.
class ControlSet final : public BenannteSteuerelemente {
public:
    // Creates every control on `form` in stacking order, each behind all
    // controls created before it, with its properties and starting picture.
    explicit ControlSet(QWidget &form);

    // The control, or std::out_of_range for a name and index the window lacks.
    QWidget *widget(Steuerelement control) const;
    controls::CommandButton *button(Steuerelement control) const;
    controls::ImageControl *image(Steuerelement control) const;
    controls::LabelControl *label(Steuerelement control) const;

    int count() const;

    void setVisible(Steuerelement control, bool visible) override;
    Bild picture(Steuerelement control) const override;
    void setPicture(Steuerelement control, const Bild &picture) override;
    void setCaption(Steuerelement control, const QString &caption) override;

private:
    // The control of one row and element with its kind's own properties.
    static QWidget *create(QWidget &form, const ControlRow &row, int index);
    // ... with the properties every kind shares, in its place in the set.
    QWidget *build(QWidget &form, const ControlRow &row, int index);

    std::array<QList<QWidget *>, NameCount> m_widgets;
};

// &H00BBGGRR& as a colour.
QColor fromOleColor(OleColor bgr);

// Twips to the whole pixels of a 96 dpi screen.
QRect toPixels(const Twips &twips);

} // namespace griffwandler::app
