#include "services/x11_gravity.h"
#include "services/zentriere_form.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <cfloat>
#include <limits>

using namespace griffwandler::services;

namespace {

// Logs every access of the placement to the window and the screen, in order.
class Recorder : public FormAccess {
public:
    QStringList log;
    float formWidth = 12000, formHeight = 7800, screenWidth = 15360, screenHeight = 11520;

    struct Screen : ScreenAccess {
        explicit Screen(Recorder *recorder) : r(recorder) {}
        Recorder *r;
        float width() override { return r->read(QStringLiteral("Screen.Width"), r->screenWidth); }
        float height() override
        {
            return r->read(QStringLiteral("Screen.Height"), r->screenHeight);
        }
    } screen{this};

    float width() override { return read(QStringLiteral("Width"), formWidth); }
    float height() override { return read(QStringLiteral("Height"), formHeight); }
    // The last values written, exactly.
    std::optional<float> left, top;

    void setLeft(float twips) override
    {
        left = twips;
        log << QStringLiteral("Left=%1").arg(double(twips));
    }
    void setTop(float twips) override
    {
        top = twips;
        log << QStringLiteral("Top=%1").arg(double(twips));
    }

private:
    float read(const QString &what, float value)
    {
        log << what;
        return value;
    }
};

QString text(const std::optional<float> &value)
{
    return value ? QString::number(double(*value), 'g', 9) : QStringLiteral("unchanged");
}

constexpr float Unchanged = std::numeric_limits<float>::quiet_NaN();

std::optional<float> expectation(float value)
{
    if (value != value)
        return std::nullopt;
    return value;
}

} // namespace

class TestZentriereForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placement_data();
    void placement();
    void floatingPointFaultIsThrownNotWritten_data();
    void floatingPointFaultIsThrownNotWritten();
    void accessOrder_data();
    void accessOrder();
    void widgetPlacedByItsFrameBeforeShow_data();
    void widgetPlacedByItsFrameBeforeShow();
    void widgetIgnoresOtherModes_data();
    void widgetIgnoresOtherModes();
    void x11GravityKeepsThePlacedPoint_data();
    void x11GravityKeepsThePlacedPoint();
};

void TestZentriereForm::placement_data()
{
    QTest::addColumn<qint32>("mode");
    QTest::addColumn<float>("screenWidth");
    QTest::addColumn<float>("screenHeight");
    QTest::addColumn<float>("formWidth");
    QTest::addColumn<float>("formHeight");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");

    // 1024 x 768 pixels with a window of 800 x 520 pixels.
    QTest::newRow("800x520 on 1024x768 mode 0")
        << 0 << 15360.f << 11520.f << 12000.f << 7800.f << 0.f << 1860.f;
    QTest::newRow("800x520 on 1024x768 mode 1")
        << 1 << 15360.f << 11520.f << 12000.f << 7800.f << 3360.f << 1860.f;
    QTest::newRow("800x520 on 1024x768 mode 2")
        << 2 << 15360.f << 11520.f << 12000.f << 7800.f << 1680.f << 0.f;
    QTest::newRow("800x520 on 1024x768 mode 3")
        << 3 << 15360.f << 11520.f << 12000.f << 7800.f << 1680.f << 3720.f;
    QTest::newRow("800x520 on 1024x768 mode 4")
        << 4 << 15360.f << 11520.f << 12000.f << 7800.f << 1680.f << 1860.f;
    // An odd difference keeps its half twip in every centred mode.
    QTest::newRow("odd width mode 2")
        << 2 << 15360.f << 11520.f << 12015.f << 7800.f << 1672.5f << 0.f;
    QTest::newRow("odd width mode 3")
        << 3 << 15360.f << 11520.f << 12015.f << 7800.f << 1672.5f << 3720.f;
    QTest::newRow("odd width mode 4")
        << 4 << 15360.f << 11520.f << 12015.f << 7800.f << 1672.5f << 1860.f;
    QTest::newRow("odd width mode 1")
        << 1 << 15360.f << 11520.f << 12015.f << 7800.f << 3345.f << 1860.f;
    QTest::newRow("odd height mode 0")
        << 0 << 15360.f << 11520.f << 12000.f << 7801.f << 0.f << 1859.5f;
    QTest::newRow("equal size mode 4")
        << 4 << 15360.f << 11520.f << 15360.f << 11520.f << 0.f << 0.f;
    QTest::newRow("equal size mode 1")
        << 1 << 15360.f << 11520.f << 15360.f << 11520.f << 0.f << 0.f;
    QTest::newRow("wider mode 4") << 4 << 15360.f << 11520.f << 16360.f << 7800.f << -500.f
                                  << 1860.f;
    QTest::newRow("wider mode 1") << 1 << 15360.f << 11520.f << 16360.f << 7800.f << -1000.f
                                  << 1860.f;
    QTest::newRow("taller mode 3")
        << 3 << 15360.f << 11520.f << 12000.f << 12520.f << 1680.f << -1000.f;
    QTest::newRow("fractional sizes")
        << 4 << 15360.f << 11520.f << 12000.25f << 7800.75f << 1679.875f << 1859.625f;
    QTest::newRow("mode 5") << 5 << 15360.f << 11520.f << 12000.f << 7800.f << Unchanged
                            << Unchanged;
    QTest::newRow("mode -1") << -1 << 15360.f << 11520.f << 12000.f << 7800.f << Unchanged
                             << Unchanged;
    QTest::newRow("mode max") << std::numeric_limits<qint32>::max() << 15360.f << 11520.f << 12000.f
                              << 7800.f << Unchanged << Unchanged;
    QTest::newRow("mode min") << std::numeric_limits<qint32>::min() << 15360.f << 11520.f << 12000.f
                              << 7800.f << Unchanged << Unchanged;
}

void TestZentriereForm::placement()
{
    QFETCH(qint32, mode);
    QFETCH(float, screenWidth);
    QFETCH(float, screenHeight);
    QFETCH(float, formWidth);
    QFETCH(float, formHeight);
    QFETCH(float, left);
    QFETCH(float, top);

    Recorder recorder;
    recorder.screenWidth = screenWidth;
    recorder.screenHeight = screenHeight;
    recorder.formWidth = formWidth;
    recorder.formHeight = formHeight;
    FormZentrieren(recorder, recorder.screen, mode);
    // Exact comparison: a fuzzy one would hide a lost half twip.
    QCOMPARE(text(recorder.left), text(expectation(left)));
    QCOMPARE(text(recorder.top), text(expectation(top)));
}

void TestZentriereForm::floatingPointFaultIsThrownNotWritten_data()
{
    QTest::addColumn<qint32>("mode");
    QTest::addColumn<float>("screenWidth");
    QTest::addColumn<float>("screenHeight");
    QTest::addColumn<float>("formWidth");
    QTest::addColumn<float>("formHeight");
    QTest::addColumn<QStringList>("writesBeforeFault");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("overflow in left")
        << 1 << -FLT_MAX << 11520.f << FLT_MAX << 7800.f << QStringList{};
    QTest::newRow("overflow in top") << 3 << 15360.f << FLT_MAX << 12000.f << -FLT_MAX
                                     << QStringList{QStringLiteral("Left=1680")};
    QTest::newRow("invalid in top")
        << 4 << 15360.f << nan << 12000.f << 7800.f << QStringList{QStringLiteral("Left=1680")};
    QTest::newRow("infinite in left") << 2 << inf << 11520.f << 12000.f << 7800.f << QStringList{};
    QTest::newRow("infinity minus infinity")
        << 4 << inf << 11520.f << inf << 7800.f << QStringList{};
    QTest::newRow("invalid after fixed left")
        << 0 << 15360.f << nan << 12000.f << 7800.f << QStringList{QStringLiteral("Left=0")};
}

void TestZentriereForm::floatingPointFaultIsThrownNotWritten()
{
    QFETCH(qint32, mode);
    QFETCH(float, screenWidth);
    QFETCH(float, screenHeight);
    QFETCH(float, formWidth);
    QFETCH(float, formHeight);
    QFETCH(QStringList, writesBeforeFault);

    Recorder recorder;
    recorder.screenWidth = screenWidth;
    recorder.screenHeight = screenHeight;
    recorder.formWidth = formWidth;
    recorder.formHeight = formHeight;
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, FormZentrieren(recorder, recorder.screen, mode));
    QStringList writes;
    for (const QString &entry : std::as_const(recorder.log)) {
        if (entry.contains(u'='))
            writes << entry;
    }
    QCOMPARE(writes, writesBeforeFault);
}

void TestZentriereForm::accessOrder_data()
{
    QTest::addColumn<qint32>("mode");
    QTest::addColumn<QStringList>("accesses");

    QTest::newRow("mode 0") << 0
                            << QStringList{QStringLiteral("Left=0"), QStringLiteral("Height"),
                                           QStringLiteral("Screen.Height"),
                                           QStringLiteral("Top=1860")};
    QTest::newRow("mode 1") << 1
                            << QStringList{
                                   QStringLiteral("Width"),         QStringLiteral("Screen.Width"),
                                   QStringLiteral("Left=3360"),     QStringLiteral("Height"),
                                   QStringLiteral("Screen.Height"), QStringLiteral("Top=1860")};
    QTest::newRow("mode 2") << 2
                            << QStringList{QStringLiteral("Width"), QStringLiteral("Screen.Width"),
                                           QStringLiteral("Left=1680"), QStringLiteral("Top=0")};
    QTest::newRow("mode 3") << 3
                            << QStringList{
                                   QStringLiteral("Width"),         QStringLiteral("Screen.Width"),
                                   QStringLiteral("Left=1680"),     QStringLiteral("Height"),
                                   QStringLiteral("Screen.Height"), QStringLiteral("Top=3720")};
    QTest::newRow("mode 4") << 4
                            << QStringList{
                                   QStringLiteral("Width"),         QStringLiteral("Screen.Width"),
                                   QStringLiteral("Left=1680"),     QStringLiteral("Height"),
                                   QStringLiteral("Screen.Height"), QStringLiteral("Top=1860")};
    QTest::newRow("mode 5") << 5 << QStringList{};
    QTest::newRow("mode -1") << -1 << QStringList{};
}

void TestZentriereForm::accessOrder()
{
    QFETCH(qint32, mode);
    QFETCH(QStringList, accesses);
    Recorder recorder;
    FormZentrieren(recorder, recorder.screen, mode);
    QCOMPARE(recorder.log, accesses);
}

// The test runs on a 1024 x 768 offscreen screen whose windows have 2 px frames,
// so a 796 x 516 widget has an outer size of 800 x 520 pixels, 12000 x 7800 twips,
// as in the first rows of placement_data().
void TestZentriereForm::widgetPlacedByItsFrameBeforeShow_data()
{
    QTest::addColumn<qint32>("mode");
    QTest::addColumn<QPoint>("frameTopLeft");
    QTest::newRow("mode 0") << 0 << QPoint(0, 124);
    QTest::newRow("mode 1") << 1 << QPoint(224, 124);
    QTest::newRow("mode 2") << 2 << QPoint(112, 0);
    QTest::newRow("mode 3") << 3 << QPoint(112, 248);
    QTest::newRow("mode 4") << 4 << QPoint(112, 124);
}

void TestZentriereForm::widgetPlacedByItsFrameBeforeShow()
{
    QFETCH(qint32, mode);
    QFETCH(QPoint, frameTopLeft);

    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
    QWidget form;
    form.resize(796, 516);
    form.move(300, 200);
    form.winId(); // the window exists but is not shown, as during loading
    QCOMPARE(form.frameGeometry().size(), QSize(800, 520));

    FormZentrieren(form, mode);
    QCOMPARE(form.frameGeometry().topLeft(), frameTopLeft);
    QCOMPARE(form.size(), QSize(796, 516));

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.frameGeometry(), QRect(frameTopLeft, QSize(800, 520)));
    QCOMPARE(form.geometry(), QRect(frameTopLeft + QPoint(2, 2), QSize(796, 516)));
}

void TestZentriereForm::widgetIgnoresOtherModes_data()
{
    QTest::addColumn<qint32>("mode");
    QTest::newRow("5") << 5;
    QTest::newRow("-1") << -1;
}

void TestZentriereForm::widgetIgnoresOtherModes()
{
    QFETCH(qint32, mode);
    QWidget form;
    form.setGeometry(37, 41, 300, 200);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect before = form.frameGeometry();
    FormZentrieren(form, mode);
    QCOMPARE(form.frameGeometry(), before);
}

void TestZentriereForm::x11GravityKeepsThePlacedPoint_data()
{
    // The frame's point that stays where the window asked for that point of
    // its client area: the point each mode places.
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("gravity");
    using x11::Gravity;
    QTest::newRow("left edge, centred vertically") << int(ModeLeft) << int(Gravity::West);
    QTest::newRow("right edge, centred vertically") << int(ModeRight) << int(Gravity::East);
    QTest::newRow("top edge, centred horizontally") << int(ModeTop) << int(Gravity::North);
    QTest::newRow("bottom edge, centred horizontally") << int(ModeBottom) << int(Gravity::South);
    QTest::newRow("centred") << int(ModeCentre) << int(Gravity::Centre);
    QTest::newRow("a mode that places nothing") << 7 << int(Gravity::NorthWest);
}

void TestZentriereForm::x11GravityKeepsThePlacedPoint()
{
    QFETCH(int, mode);
    QFETCH(int, gravity);
    QCOMPARE(int(x11::gravityOf(placementRule(mode))), gravity);
}

QTEST_MAIN(TestZentriereForm)
#include "tst_zentriere_form.moc"
