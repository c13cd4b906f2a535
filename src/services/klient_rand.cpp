#include "klient_rand.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace griffwandler::services {

namespace {

// The classic sunken client edge: an outer line in shadow grey and white, an
// inner line in dark grey and light grey, each darker at the top and left.
// It lies over the rim of the client area, above every other child, and lets
// clicks through to what lies beneath.
class KlientRand : public QWidget {
public:
    explicit KlientRand(QWidget &window) : QWidget(&window)
    {
        setObjectName(QString::fromUtf16(KlientRandName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(window.rect());
        window.installEventFilter(this);
        raise();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent()) {
            if (event->type() == QEvent::Resize)
                setGeometry(parentWidget()->rect());
            else if (event->type() == QEvent::ChildAdded) // a later child must not cover the edge
                raise();
        }
        return false;
    }

    void paintEvent(QPaintEvent *) override
    {
        const int w = width();
        const int h = height();
        if (w < 4 || h < 4)
            return;
        QPainter painter(this);
        // One-pixel lines as filled rectangles: the same pixels, without the line
        // rasteriser's work for each of them.
        auto sunken = [&](int inset, QColor dark, QColor light) {
            const int right = w - 1 - inset;
            const int bottom = h - 1 - inset;
            painter.fillRect(QRect(QPoint(inset, inset), QPoint(right - 1, inset)), dark);
            painter.fillRect(QRect(QPoint(inset, inset), QPoint(inset, bottom - 1)), dark);
            painter.fillRect(QRect(QPoint(inset, bottom), QPoint(right, bottom)), light);
            painter.fillRect(QRect(QPoint(right, inset), QPoint(right, bottom)), light);
        };
        sunken(0, QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF));
        sunken(1, QColor(0x40, 0x40, 0x40), QColor(0xD4, 0xD0, 0xC8));
    }
};

} // namespace

void klientRandZeigen(QWidget &window)
{
    auto *rand =
        window.findChild<QWidget *>(QString::fromUtf16(KlientRandName), Qt::FindDirectChildrenOnly);
    if (rand) {
        rand->setGeometry(window.rect());
        rand->raise();
    } else {
        rand = new KlientRand(window);
    }
    // An explicit show: children created after the window was shown stay hidden otherwise.
    rand->show();
}

} // namespace griffwandler::services
