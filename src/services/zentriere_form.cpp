#include "zentriere_form.h"

#include <QGuiApplication>
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

Platzierung formPlatzierung(qint32 mode, float screenWidth, float screenHeight, float formWidth,
                            float formHeight)
{
    const Regel regel = platzierungsRegel(mode);
    return {koordinate(regel.left, screenWidth, formWidth),
            koordinate(regel.top, screenHeight, formHeight)};
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

int twipsToPixels(float twips)
{
    // Whole pixels, the nearest one; halves round away from zero.
    return static_cast<int>(std::lround(double(twips) / TwipsProPixel));
}

float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * TwipsProPixel;
}

// frameGeometry() includes the frame as soon as the platform reports one;
// before that it is the widget's own rectangle. move() positions the frame.
class WidgetZugriff : public FormZugriff {
public:
    explicit WidgetZugriff(QWidget &form) : m_form(form) {}

    float width() override { return pixelsToTwips(m_form.frameGeometry().width()); }
    float height() override { return pixelsToTwips(m_form.frameGeometry().height()); }
    void setLeft(float twips) override { m_form.move(twipsToPixels(twips), m_form.y()); }
    void setTop(float twips) override { m_form.move(m_form.x(), twipsToPixels(twips)); }

private:
    QWidget &m_form;
};

class PrimaryScreenZugriff : public BildschirmZugriff {
public:
    float width() override { return pixelsToTwips(geometry().width()); }
    float height() override { return pixelsToTwips(geometry().height()); }

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
    WidgetZugriff formZugriff(form);
    PrimaryScreenZugriff screenZugriff;
    FormZentrieren(formZugriff, screenZugriff, mode);
}

} // namespace griffwandler::services
