#pragma once

#include "chart/benannte_steuerelemente.h"

#include <QHash>

namespace griffwandler::test {

// Named controls that keep the properties written to them, starting as the
// window starts: every picture is the control's own ("Noten2(3)" shows the
// picture named "Noten2(3)"), strips and pointers hidden, Label1 with its
// description. Lets a test look at the state a click sequence leaves behind.
class WindowState : public BenannteSteuerelemente {
public:
    QHash<QString, bool> visible;
    QHash<QString, QString> pictures;
    QHash<QString, QString> captions;

    WindowState()
    {
        for (int j = 0; j < 5; ++j)
            visible[toString({Name::KapoStreifen, j})] = false;
        for (int j = 0; j < 12; ++j) {
            visible[toString({Name::Teddy, j})] = false;
            visible[toString({Name::TeddyLine, j})] = false;
        }
        captions[QStringLiteral("Label1")] = QStringLiteral("description");
    }

    void setVisible(Steuerelement control, bool v) override { visible[toString(control)] = v; }
    Bild picture(Steuerelement control) const override
    {
        return pictures.value(toString(control), toString(control));
    }
    void setPicture(Steuerelement control, const Bild &picture) override
    {
        pictures[toString(control)] = picture.toString();
    }
    void setCaption(Steuerelement control, const QString &caption) override
    {
        captions[toString(control)] = caption;
    }

    bool operator==(const WindowState &other) const
    {
        return visible == other.visible && pictures == other.pictures && captions == other.captions;
    }
};

} // namespace griffwandler::test
