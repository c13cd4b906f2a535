#include "zentriere_form.h"

#include "plattform.h"
#include "twips.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QScreen>
#include <QWidget>

#include <cfloat>
#include <cmath>

namespace griffwandler::services {

Regel platzierungsRegel(qint32 mode)
{
    switch (mode) {
    case 0:
        return {Lage::Null, Lage::Mitte};
    case 1:
        return {Lage::Ende, Lage::Mitte};
    case 2:
        return {Lage::Mitte, Lage::Null};
    case 3:
        return {Lage::Mitte, Lage::Ende};
    case 4:
        return {Lage::Mitte, Lage::Mitte};
    default:
        return {};
    }
}

std::optional<float> koordinate(Lage lage, float screenExtent, float formExtent)
{
    // Computed in double so that the halves and the difference are exact for
    // every pair of single values; only the stored result is single. The
    // range test must come before the narrowing, which is undefined for
    // values outside the single range.
    double value = 0.0;
    switch (lage) {
    case Lage::Unveraendert:
        return std::nullopt;
    case Lage::Null:
        return 0.0f;
    case Lage::Ende:
        value = double(screenExtent) - double(formExtent);
        break;
    case Lage::Mitte:
        value = double(screenExtent) / 2.0 - double(formExtent) / 2.0;
        break;
    }
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw FloatingPointError("Gleitkommafehler bei der Fensterplatzierung");
    return static_cast<float>(value);
}

void FormZentrieren(FormZugriff &form, BildschirmZugriff &screen, qint32 mode)
{
    const Regel regel = platzierungsRegel(mode);

    if (regel.left == Lage::Null) {
        form.setLeft(0.0f);
    } else if (regel.left != Lage::Unveraendert) {
        const float formWidth = form.width();
        const float screenWidth = screen.width();
        form.setLeft(*koordinate(regel.left, screenWidth, formWidth));
    }

    if (regel.top == Lage::Null) {
        form.setTop(0.0f);
    } else if (regel.top != Lage::Unveraendert) {
        const float formHeight = form.height();
        const float screenHeight = screen.height();
        form.setTop(*koordinate(regel.top, screenHeight, formHeight));
    }
}

namespace {

// The outer rectangle, frame and title bar included, as the client area grown
// by the frame that the platform says to allow for. The window itself is
// placed by its client area: the toolkit does not know the frame of a window
// that is not shown yet.
class WidgetZugriff : public FormZugriff {
public:
    WidgetZugriff(QWidget &form, const QMarginsF &rahmen) : m_form(form), m_rahmen(rahmen) {}

    float width() override
    {
        return pixelZuTwips(m_form.width() + m_rahmen.left() + m_rahmen.right());
    }
    float height() override
    {
        return pixelZuTwips(m_form.height() + m_rahmen.top() + m_rahmen.bottom());
    }
    void setLeft(float twips) override
    {
        const QRect client = m_form.geometry();
        const int x = twipsZuPixeln(double(twips) + m_rahmen.left() * TwipsProPixel);
        m_form.setGeometry(client.translated(x - client.x(), 0));
    }
    void setTop(float twips) override
    {
        const QRect client = m_form.geometry();
        const int y = twipsZuPixeln(double(twips) + m_rahmen.top() * TwipsProPixel);
        m_form.setGeometry(client.translated(0, y - client.y()));
    }

private:
    QWidget &m_form;
    QMarginsF m_rahmen;
};

class PrimaryScreenZugriff : public BildschirmZugriff {
public:
    float width() override { return pixelZuTwips(geometry().width()); }
    float height() override { return pixelZuTwips(geometry().height()); }

private:
    static QRect geometry()
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen)
            throw std::runtime_error("Kein Bildschirm vorhanden");
        return screen->geometry();
    }
};

} // namespace

void FormZentrieren(QWidget &form, qint32 mode)
{
    // Where the window system places every window itself, the window cannot
    // say where it wants to be: nothing is computed that could not take effect.
    if (!plattform().kannFensterPlatzieren())
        return;
    const Regel regel = platzierungsRegel(mode);
    if (regel.left == Lage::Unveraendert && regel.top == Lage::Unveraendert)
        return;
    const Plattform::Platzierungsweg weg = plattform().platzierungVorbereiten(form, regel);
    if (weg.demSystemUeberlassen)
        return;
    WidgetZugriff formZugriff(form, weg.rahmen);
    PrimaryScreenZugriff screenZugriff;
    FormZentrieren(formZugriff, screenZugriff, mode);
}

} // namespace griffwandler::services
