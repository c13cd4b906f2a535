// A short scripted session with the real window, for running under a memory
// checker: fret clicks, card clicks, both links (with the desktop's URL handler
// replaced), keys, then the end button. Exits 0 only when every step had its
// effect and the end button ended the event loop.
#include "app/control_set.h"
#include "app/griffwandler_form.h"
#include "app/url_recorder.h"
#include "chart/kapo_stellung.h"
#include "services/web_addresses.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cstdio>

using namespace griffwandler;
using namespace griffwandler::app;

namespace {

int failures = 0;

void expect(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "valgrind_session: FAILED %s\n", what);
        ++failures;
    }
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
}

void script(GriffwandlerForm &form, const test::UrlRecorder &urls)
{
    ControlSet &controlSet = form.controlSet();
    auto w = [&](Name name, int index = -1) {
        return controlSet.widget({name, index});
    };

    for (int fret : {2, 0, 4, 1, 3}) {
        click(w(Name::BundTaste, fret));
        int shown = 0;
        for (int j = 0; j < BundAnzahl; ++j)
            shown += !w(Name::KapoStreifen, j)->isHidden();
        expect(shown == 1 && !w(Name::KapoStreifen, fret)->isHidden(),
               "a fret click shows its capo strip only");
    }
    for (int column : {0, 5, 11}) {
        click(w(Name::Noten1, column));
        expect(!w(Name::Teddy, column)->isHidden(), "an old-chord card click shows its teddy");
        click(w(Name::Noten2, (column + 3) % SpaltenAnzahl));
        expect(!w(Name::Teddy, (column + 3) % SpaltenAnzahl)->isHidden(),
               "a new-chord card click shows its teddy");
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    // Painting runs through the pictures and fonts once more.
    form.grab();

    click(w(Name::Command3));
    click(w(Name::Image4));
    expect(urls.urls.size() == 2, "both links hand an address to the desktop");
    // The end button closes the window and ends the event loop.
    click(w(Name::Command1));
    expect(!form.isVisible(), "the end button closes the window");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    test::UrlRecorder urls;

    int status = -1;
    {
        GriffwandlerForm form;
        form.show();
        QTimer::singleShot(0, &form, [&] {
            if (!QTest::qWaitForWindowExposed(&form)) {
                expect(false, "the window is shown");
                QCoreApplication::exit(2);
                return;
            }
            script(form, urls);
        });
        // A session that never reaches the end button would hang; stop it.
        QTimer::singleShot(60000, &form, [] {
            expect(false, "the end button ends the program within a minute");
            QCoreApplication::exit(3);
        });
        status = QApplication::exec();
    }
    expect(status == 0, "the event loop ends with status 0");
    if (failures == 0)
        std::puts("valgrind_session: all steps passed");
    return failures == 0 ? 0 : 1;
}
