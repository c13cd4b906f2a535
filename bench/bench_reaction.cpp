// Reaction of the window to clicks on the offscreen platform: from the mouse
// event to the repainted window, and the handlers alone. A bare window with one
// plain push button gives the toolkit's floor for a click in the same run.
#include "app/control_set.h"
#include "app/griffwandler_form.h"
#include "chart/kapo_stellung.h"
#include "chart/zeiger_stellung.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace griffwandler;
using namespace griffwandler::app;

namespace {

// Counts the paint events a set of widgets receives, so a benchmark can prove
// that every click it timed was followed by a repaint.
class PaintCounter : public QObject {
public:
    int paints = 0;
    void watch(QWidget *widget) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
}

} // namespace

class BenchReaction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void floorButtonClick();
    void fretClick();
    void fretClickFullRepaint();
    void cardClick();
    void cardClickFullRepaint();
    void fretHandler();
    void cardHandler();
    void fretChartFunction();

private:
    QWidget *w(Name name, int index) { return m_form->controlSet().widget({name, index}); }
    // Clicks `next()` widgets in turn; each click is followed by the repaint it
    // causes, and with `fullRepaint` by a repaint of the whole window as well.
    template <typename Next> void clickAndRepaint(Next next, bool fullRepaint);

    std::unique_ptr<GriffwandlerForm> m_form;
};

void BenchReaction::init()
{
    m_form = std::make_unique<GriffwandlerForm>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCoreApplication::processEvents();
}

void BenchReaction::cleanup()
{
    m_form.reset();
}

void BenchReaction::floorButtonClick()
{
    QWidget window;
    window.setFixedSize(793, 479);
    auto *button = new QPushButton(QStringLiteral("Bund I"), &window);
    button->setGeometry(72, 360, 50, 40);
    int clicks = 0;
    connect(button, &QPushButton::clicked, &window, [&] {
        ++clicks;
        button->setText(clicks % 2 ? QStringLiteral("Bund II") : QStringLiteral("Bund I"));
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    counter.watch(button);
    int rounds = 0;
    QBENCHMARK
    {
        click(button);
        QCoreApplication::processEvents();
        ++rounds;
    }
    QCOMPARE(clicks, rounds);
    QVERIFY2(counter.paints >= rounds, "a click was not repainted");
}

template <typename Next> void BenchReaction::clickAndRepaint(Next next, bool fullRepaint)
{
    PaintCounter counter;
    for (QObject *child : m_form->children())
        if (auto *widget = qobject_cast<QWidget *>(child))
            counter.watch(widget);
    int rounds = 0;
    QBENCHMARK
    {
        const int before = counter.paints;
        click(next(rounds));
        // Delivers the pending update request: the dirty controls are painted and
        // the backing store is flushed to the window.
        QCoreApplication::processEvents();
        if (fullRepaint)
            m_form->repaint();
        ++rounds;
        if (counter.paints == before)
            QFAIL("a click was not repainted");
    }
}

void BenchReaction::fretClick()
{
    clickAndRepaint([this](int round) { return w(Name::BundTaste, round % BundAnzahl); }, false);
}

void BenchReaction::fretClickFullRepaint()
{
    clickAndRepaint([this](int round) { return w(Name::BundTaste, round % BundAnzahl); }, true);
}

// Alternates between the old and the new row so the pointer moves every time.
void BenchReaction::cardClick()
{
    clickAndRepaint(
        [this](int round) {
            return w(round % 2 ? Name::Noten2 : Name::Noten1, (round * 5) % SpaltenAnzahl);
        },
        false);
}

void BenchReaction::cardClickFullRepaint()
{
    clickAndRepaint(
        [this](int round) {
            return w(round % 2 ? Name::Noten2 : Name::Noten1, (round * 5) % SpaltenAnzahl);
        },
        true);
}

void BenchReaction::fretHandler()
{
    qint16 index = 0;
    QBENCHMARK
    {
        m_form->BundTaste_Click(index);
        index = qint16((index + 1) % BundAnzahl);
    }
    QCoreApplication::processEvents();
}

void BenchReaction::cardHandler()
{
    qint16 index = 0;
    QBENCHMARK
    {
        m_form->Noten1_Click(index);
        index = qint16((index + 5) % SpaltenAnzahl);
    }
    QCoreApplication::processEvents();
}

void BenchReaction::fretChartFunction()
{
    qint16 index = 0;
    QBENCHMARK
    {
        griffwandler::BundTaste_Click(m_form->controlSet(), index);
        index = qint16((index + 1) % BundAnzahl);
    }
    QCoreApplication::processEvents();
}

QTEST_MAIN(BenchReaction)
#include "bench_reaction.moc"
