#include "zentriere_form.h"

#include "platform.h"
#include "twips.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QScreen>
#include <QWidget>

namespace griffwandler::services {

void FormZentrieren(FormAccess &form, ScreenAccess &screen, qint32 mode)
{
    const PlacementRule rule = placementRule(mode);

    if (rule.left == Alignment::Start) {
        form.setLeft(0.0f);
    } else if (rule.left != Alignment::Unchanged) {
        const float formWidth = form.width();
        const float screenWidth = screen.width();
        form.setLeft(*coordinate(rule.left, screenWidth, formWidth));
    }

    if (rule.top == Alignment::Start) {
        form.setTop(0.0f);
    } else if (rule.top != Alignment::Unchanged) {
        const float formHeight = form.height();
        const float screenHeight = screen.height();
        form.setTop(*coordinate(rule.top, screenHeight, formHeight));
    }
}

namespace {

// The outer rectangle, frame and title bar included, as the client area grown
// by the frame that the platform says to allow for. The window itself is
// placed by its client area: the toolkit does not know the frame of a window
// that is not shown yet.
class WidgetAccess : public FormAccess {
public:
    WidgetAccess(QWidget &form, const QMarginsF &frame) : m_form(form), m_frame(frame) {}

    float width() override
    {
        return pixelsToTwips(m_form.width() + m_frame.left() + m_frame.right());
    }
    float height() override
    {
        return pixelsToTwips(m_form.height() + m_frame.top() + m_frame.bottom());
    }
    void setLeft(float twips) override
    {
        const QRect client = m_form.geometry();
        const int x = twipsToPixels(double(twips) + m_frame.left() * TwipsPerPixel);
        m_form.setGeometry(client.translated(x - client.x(), 0));
    }
    void setTop(float twips) override
    {
        const QRect client = m_form.geometry();
        const int y = twipsToPixels(double(twips) + m_frame.top() * TwipsPerPixel);
        m_form.setGeometry(client.translated(0, y - client.y()));
    }

private:
    QWidget &m_form;
    QMarginsF m_frame;
};

class PrimaryScreenAccess : public ScreenAccess {
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
    // Where the window system places every window itself, the window cannot
    // say where it wants to be: nothing is computed that could not take effect.
    if (!platform().canPlaceWindows())
        return;
    const PlacementRule rule = placementRule(mode);
    if (rule.placesNothing())
        return;
    const Platform::Placement placement = platform().preparePlacement(form, rule);
    if (placement.leftToSystem)
        return;
    WidgetAccess formAccess(form, placement.frame);
    PrimaryScreenAccess screenAccess;
    FormZentrieren(formAccess, screenAccess, mode);
}

} // namespace griffwandler::services
