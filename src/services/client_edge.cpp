#include "client_edge.h"

#include "controls/classic_palette.h"

#include <QEvent>
#include <QPainter>

namespace griffwandler::services {

// The classic sunken client edge: an outer line in shadow grey and white, an
// inner line in dark grey and light grey, each darker at the top and left.
// It lies over the rim of the client area, above every other child, and lets
// clicks through to what lies beneath.
ClientEdge::ClientEdge(QWidget &window) : QWidget(&window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window.rect());
    window.installEventFilter(this);
    raise();
}

void ClientEdge::showOn(QWidget &window)
{
    auto *edge = window.findChild<ClientEdge *>(QString(), Qt::FindDirectChildrenOnly);
    if (edge) {
        edge->setGeometry(window.rect());
        edge->raise();
    } else {
        edge = new ClientEdge(window);
    }
    // An explicit show: children created after the window was shown stay hidden otherwise.
    edge->show();
}

bool ClientEdge::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent()) {
        if (event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        else if (event->type() == QEvent::ChildAdded) // a later child must not cover the edge
            raise();
    }
    return false;
}

void ClientEdge::paintEvent(QPaintEvent *)
{
    if (width() < 4 || height() < 4)
        return;
    QPainter painter(this);
    using namespace controls;
    frameLine(painter, rect(), QColor(classic::Shadow), QColor(classic::Highlight));
    frameLine(painter, rect().adjusted(1, 1, -1, -1), QColor(classic::EdgeDarkShadow),
              QColor(classic::EdgeLight));
}

} // namespace griffwandler::services
