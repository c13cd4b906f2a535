#pragma once

#include "chart/benannte_steuerelemente.h"

#include <QStringList>

namespace griffwandler::test {

// Named controls that only log each access as one line of text, e.g.
// "KapoStreifen(0).Visible=false" or "Noten2(5).Picture=Rote(2).Picture".
// A picture read yields the text "<control>.Picture", so each write of a
// picture shows where it was read.
class Recorder : public BenannteSteuerelemente {
public:
    QStringList log;

    void setVisible(Steuerelement control, bool visible) override
    {
        log << QStringLiteral("%1.Visible=%2")
                   .arg(toString(control),
                        visible ? QStringLiteral("true") : QStringLiteral("false"));
    }
    Bild picture(Steuerelement control) const override
    {
        return QStringLiteral("%1.Picture").arg(toString(control));
    }
    void setPicture(Steuerelement control, const Bild &picture) override
    {
        log << QStringLiteral("%1.Picture=%2").arg(toString(control), picture.toString());
    }
    void setCaption(Steuerelement control, const QString &caption) override
    {
        log << QStringLiteral("%1.Caption=\"%2\"").arg(toString(control), caption);
    }
};

} // namespace griffwandler::test
