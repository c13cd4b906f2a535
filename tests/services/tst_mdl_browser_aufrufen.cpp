#include "services/browser_error.h"
#include "services/mdl_browser_aufrufen.h"
#include "services/opener_on_path.h"
#include "services/screen_pointer.h"
#include "services/web_addresses.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace griffwandler::services;

namespace {

// The program-wide pointer as the user sees it: the busy one while the topmost
// override pointer is the wait cursor.
ScreenPointer pointerNow()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? ScreenPointer::Hourglass
                                                       : ScreenPointer::Default;
}

// Stands in for the user's browser: records each request and the program-wide
// pointer at the moment it arrives.
class Browser : public QObject {
    Q_OBJECT

public:
    QStringList requests;
    QList<ScreenPointer> pointerDuringRequest;

public Q_SLOTS:
    void open(const QUrl &url)
    {
        requests << url.toString();
        pointerDuringRequest << pointerNow();
    }
};

// Closes the first modal message box as soon as it appears, noting what it
// showed. Lives on the test's stack, so nothing outlives the test function.
class MessageCloser : public QObject {
public:
    bool shown = false;
    QString text;
    QWidget *parent = nullptr;
    bool modal = false;
    const QCursor *overrideCursor = nullptr;

    MessageCloser()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, &MessageCloser::poll);
        m_timer.start();
    }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        shown = true;
        text = box->text();
        parent = box->parentWidget();
        modal = box->isModal();
        overrideCursor = QGuiApplication::overrideCursor();
        box->done(QMessageBox::Ok);
    }

    QTimer m_timer;
};

} // namespace

class TestMdlBrowserAufrufen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void eachCallIsOneRequest_data();
    void eachCallIsOneRequest();
    void pointerIsDefaultAfterwardsWhateverItWas();
    void screenPointerIsAnAssignment();
    void failedHandOverTellsTheUser_data();
    void failedHandOverTellsTheUser();
    void openerEndingBadlyIsTold_data();
    void openerEndingBadlyIsTold();
    void secondAddressOneSegmentBelowHome();

private:
    griffwandler::test::OpenerOnPath m_noOpener; // the desktop services take every address
    Browser m_browser;
    QWidget *m_window = nullptr;
};

void TestMdlBrowserAufrufen::init()
{
    m_browser.requests.clear();
    m_browser.pointerDuringRequest.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_browser, "open");
    m_window = new QWidget;
    m_window->resize(200, 100);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMdlBrowserAufrufen::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    delete m_window;
    m_window = nullptr;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void TestMdlBrowserAufrufen::eachCallIsOneRequest_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("home page") << homePageAddress();
    QTest::newRow("second page") << secondPageAddress();
}

void TestMdlBrowserAufrufen::eachCallIsOneRequest()
{
    QFETCH(QString, address);
    BrowserAufrufen(m_window->winId(), address);
    BrowserAufrufen(m_window->winId(), address);
    QCOMPARE(m_browser.requests, QStringList({address, address}));
    QCOMPARE(m_browser.pointerDuringRequest,
             QList<ScreenPointer>({ScreenPointer::Hourglass, ScreenPointer::Hourglass}));
    QCOMPARE(pointerNow(), ScreenPointer::Default);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMdlBrowserAufrufen::pointerIsDefaultAfterwardsWhateverItWas()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QGuiApplication::setOverrideCursor(QCursor(Qt::IBeamCursor));
    BrowserAufrufen(m_window->winId(), homePageAddress());
    QCOMPARE(m_browser.requests.size(), 1);
    QCOMPARE(m_browser.pointerDuringRequest.value(0), ScreenPointer::Hourglass);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMdlBrowserAufrufen::screenPointerIsAnAssignment()
{
    setScreenMousePointer(ScreenPointer::Hourglass);
    setScreenMousePointer(ScreenPointer::Hourglass);
    QCOMPARE(pointerNow(), ScreenPointer::Hourglass);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor(); // one level only
    QVERIFY(!QGuiApplication::overrideCursor());

    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    QCOMPARE(pointerNow(), ScreenPointer::Default);
    setScreenMousePointer(ScreenPointer::Default);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMdlBrowserAufrufen::failedHandOverTellsTheUser_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("platformWarns");
    // The offscreen platform, like Linux without xdg-open, cannot open web
    // addresses: openUrl() returns false and the platform shows nothing.
    QTest::newRow("no handler") << homePageAddress() << true;
    QTest::newRow("no handler, second page") << secondPageAddress() << true;
    QTest::newRow("not an address") << QStringLiteral("https://griff wandler/") << false;
}

void TestMdlBrowserAufrufen::failedHandOverTellsTheUser()
{
    QFETCH(QString, address);
    QFETCH(bool, platformWarns);
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));

    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    if (platformWarns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("openUrl")));
    MessageCloser message;
    BrowserAufrufen(m_window->winId(), address);

    QTRY_VERIFY(message.shown);
    QCOMPARE(message.text, browserErrorText(address));
    QVERIFY(message.text.contains(address));
    QVERIFY(message.text.startsWith(QStringLiteral("Die Webseite konnte nicht geöffnet werden.")));
    QCOMPARE(message.parent, m_window);
    QVERIFY(message.modal);
    QVERIFY(!message.overrideCursor); // the user reads it with the normal pointer
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(m_browser.requests.isEmpty());
}

void TestMdlBrowserAufrufen::openerEndingBadlyIsTold_data()
{
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<bool>("told");
    QTest::newRow("opened") << 0 << false;
    QTest::newRow("no handler") << 3 << true;
    QTest::newRow("crashed") << int(griffwandler::test::OpenerOnPath::Crashes) << true;
}

void TestMdlBrowserAufrufen::openerEndingBadlyIsTold()
{
    QFETCH(int, exitStatus);
    QFETCH(bool, told);
    const QString address = homePageAddress();
    griffwandler::test::OpenerOnPath opener(exitStatus);
    opener.hold();
    MessageCloser message;

    // The call neither waits for the opener nor blocks on a message.
    QElapsedTimer clock;
    clock.start();
    BrowserAufrufen(m_window->winId(), address);
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_COMPARE(opener.requests(), QStringList{address});
    QVERIFY(!message.shown);

    opener.release();
    QTRY_VERIFY(opener.ended());
    if (told) {
        QTRY_VERIFY(message.shown);
        QCOMPARE(message.text, browserErrorText(address));
        QCOMPARE(message.parent, m_window);
        QVERIFY(message.modal);
    } else {
        QTest::qWait(300);
        QVERIFY(!message.shown);
    }
    QVERIFY(m_browser.requests.isEmpty());
}

void TestMdlBrowserAufrufen::secondAddressOneSegmentBelowHome()
{
    const QUrl home(homePageAddress(), QUrl::StrictMode);
    const QUrl second(secondPageAddress(), QUrl::StrictMode);
    QVERIFY(home.isValid());
    QVERIFY(second.isValid());
    QVERIFY(!home.isRelative());
    QVERIFY(homePageAddress().endsWith(u'/'));
    QVERIFY(secondPageAddress().endsWith(u'/'));
    QCOMPARE(second.scheme(), home.scheme());
    QCOMPARE(second.authority(), home.authority());
    QVERIFY(second.path().startsWith(home.path()));
    const QString segment = second.path().mid(home.path().size());
    QVERIFY2(segment.size() > 1 && segment.indexOf(u'/') == segment.size() - 1,
             qPrintable(segment));
    QCOMPARE(QString::fromUtf16(SiteNameText), home.host());
}

QTEST_MAIN(TestMdlBrowserAufrufen)
#include "tst_mdl_browser_aufrufen.moc"
