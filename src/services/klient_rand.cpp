#include "klient_rand.h"

#include "classic_palette.h"

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
        if (width() < 4 || height() < 4)
            return;
        QPainter painter(this);
        using namespace controls;
        frameLine(painter, rect(), QColor(classic::Shadow), QColor(classic::Highlight));
        frameLine(painter, rect().adjusted(1, 1, -1, -1), QColor(classic::EdgeDarkShadow),
                  QColor(classic::EdgeLight));
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
