// The toolkit's floor: a bare window of the program's client size that draws
// one rule and one line of bold text, reporting its first frame.
#include "first_frame.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(192, 192, 192));
        painter.setPen(QColor(0, 0, 0));
        painter.drawLine(16, 60, width() - 16, 60);
        QFont font = painter.font();
        font.setPixelSize(16);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(16, 20, width() - 32, 32), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Der alte Akkord, der neue Akkord"));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication application(toolkitArgc, argv);
    BareWindow window;
    window.setFixedSize(793, 479);
    griffwandler::bench::FirstFrameReporter reporter(window);
    window.show();
    return QApplication::exec();
}
