// The window as it is built: geometry, stacking, texts, fonts, pointers and
// visibility of all 85 controls, checked against values written out here by
// hand, independently of the table the window is built from, so that a slip in
// that table shows.
#include "app/form_fixture.h"
#include "assets/bilder.h"
#include "controls/command_button.h"
#include "controls/image_control.h"
#include "controls/label_control.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

using namespace griffwandler;
using namespace griffwandler::app;

namespace {

const int columnLeftPx[12] = {208, 232, 256, 280, 304, 352, 376, 400, 424, 448, 472, 496};
const bool raised[12] = {false, true,  false, true,  false, false,
                         true,  false, true,  false, true,  false};

bool sameCursor(const QCursor &a, const QCursor &b)
{
    return a.shape() == Qt::BitmapCursor && b.shape() == Qt::BitmapCursor &&
           a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

QRect px(int l, int t, int w, int h)
{
    return QRect(l, t, w, h);
}

} // namespace

class TestFormLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_form = std::make_unique<GriffwandlerForm>(); }
    void cleanup() { m_form.reset(); }

    void windowProperties();
    void controlCountAndNames();
    void geometry_data();
    void geometry();
    void stackingOrderFrontToBack();
    void tooltips_data();
    void tooltips();
    void fontsAndCaptions();
    void pointers();
    void visibilityAtStart();
    void startingPictures();
    void accessibleNames();
    void accessibleKeys_data();
    void accessibleKeys();

private:
    QWidget *w(Name name, int index = -1) { return m_form->controlSet().widget({name, index}); }
    std::unique_ptr<GriffwandlerForm> m_form;
};

void TestFormLayout::windowProperties()
{
    QCOMPARE(m_form->size(), QSize(793, 479));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(m_form->windowTitle().isEmpty());
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(sameCursor(m_form->cursor(), assets::windowPointer()));
    QVERIFY(!m_form->windowIcon().isNull());
    QCOMPARE(m_form->grab().toImage().pixelColor(540, 300), QColor(192, 192, 192));
}

void TestFormLayout::controlCountAndNames()
{
    QCOMPARE(m_form->controlSet().count(), 85);
    QCOMPARE(test::snapshot(*m_form).visible.size(), 85);
    // No control is left out of the window and none is there twice.
    QSet<QWidget *> widgets;
    for (const QString &name : test::stackingOrder(*m_form))
        widgets.insert(m_form->findChild<QWidget *>(name));
    QCOMPARE(widgets.size(), 85);
}

void TestFormLayout::geometry_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("rect");
    for (int i = 0; i < 12; ++i) {
        const int l = columnLeftPx[i];
        const bool r = raised[i];
        QTest::addRow("Noten1(%d)", i)
            << QStringLiteral("Noten1(%1)").arg(i) << px(l, r ? 112 : 168, 41, 41);
        QTest::addRow("TeddyLine(%d)", i)
            << QStringLiteral("TeddyLine(%1)").arg(i) << px(l, r ? 152 : 208, 41, 14);
        QTest::addRow("Noten2(%d)", i)
            << QStringLiteral("Noten2(%1)").arg(i) << px(l, r ? 264 : 336, 41, 41);
        QTest::addRow("Teddy(%d)", i)
            << QStringLiteral("Teddy(%1)").arg(i) << px(l, r ? 304 : 376, 44, 37);
    }
    for (int k = 0; k < 5; ++k) {
        QTest::addRow("BundTaste(%d)", k)
            << QStringLiteral("BundTaste(%1)").arg(k) << px(32, 208 + 40 * k, 41, 41);
        QTest::addRow("KapoStreifen(%d)", k)
            << QStringLiteral("KapoStreifen(%1)").arg(k) << px(72, 232 + 40 * k, 81, 14);
    }
    const struct {
        const char *name;
        QRect rect;
    } singles[] = {
        {"Shape2", px(0, 0, 793, 65)},
        {"Image2", px(208, 0, 435, 57)},
        {"Shape1(1)", px(0, 64, 793, 4)},
        {"Image3", px(264, 64, 222, 47)},
        {"Image1", px(48, 8, 127, 409)},
        {"Image4", px(264, 216, 225, 47)},
        {"Label2", px(568, 104, 209, 313)},
        {"Label3(0)", px(560, 304, 225, 65)},
        {"Label3(1)", px(568, 376, 201, 33)},
        {"Shape1(0)", px(0, 416, 793, 4)},
        {"Shape3", px(0, 416, 793, 65)},
        {"Label1", px(8, 432, 385, 49)},
        {"Command3", px(552, 432, 121, 33)},
        {"Command1", px(672, 432, 113, 33)},
        {"derneueAkkord", px(312, 544, 225, 47)},
    };
    for (const auto &single : singles)
        QTest::newRow(single.name) << QString::fromLatin1(single.name) << single.rect;
    const int rote[12][2] = {{4560, 7560},  {6840, 7560}, {5400, 7680}, {7680, 7680},
                             {10440, 7920}, {9480, 8280}, {8280, 8160}, {480, 8040},
                             {1560, 7920},  {3840, 8040}, {3240, 8040}, {2520, 8040}};
    for (int i = 0; i < 12; ++i)
        QTest::addRow("Rote(%d)", i)
            << QStringLiteral("Rote(%1)").arg(i) << px(rote[i][0] / 15, rote[i][1] / 15, 41, 36);
}

void TestFormLayout::geometry()
{
    QFETCH(QString, control);
    QFETCH(QRect, rect);
    auto *widget = m_form->findChild<QWidget *>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(widget->geometry(), rect);
}

void TestFormLayout::stackingOrderFrontToBack()
{
    QStringList expected;
    auto add = [&](const char *name, std::initializer_list<int> indices) {
        for (int i : indices)
            expected << QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(i);
    };
    const std::initializer_list<int> falling12{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    add("TeddyLine", falling12);
    add("Noten2", {11, 9, 7, 5, 4, 2, 0, 10, 8, 6, 3, 1});
    add("Noten1", {11, 9, 7, 5, 10, 8, 6, 4, 2, 3, 0, 1});
    add("KapoStreifen", {4, 3, 2, 1, 0});
    add("BundTaste", {4, 3, 2, 1, 0});
    expected << QStringLiteral("Command3") << QStringLiteral("Command1");
    add("Label3", {1, 0});
    add("Teddy", falling12);
    expected << QStringLiteral("derneueAkkord");
    add("Rote", falling12);
    expected << QStringLiteral("Label2") << QStringLiteral("Image4") << QStringLiteral("Image3")
             << QStringLiteral("Image2") << QStringLiteral("Image1") << QStringLiteral("Label1")
             << QStringLiteral("Shape1(1)") << QStringLiteral("Shape2")
             << QStringLiteral("Shape1(0)") << QStringLiteral("Shape3");
    QCOMPARE(test::stackingOrder(*m_form), expected);
}

void TestFormLayout::tooltips_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tooltip");
    const char *roman[] = {"I", "II", "III", "IV", "V"};
    for (int k = 0; k < 5; ++k) {
        QTest::addRow("BundTaste(%d)", k)
            << QStringLiteral("BundTaste(%1)").arg(k)
            << QStringLiteral("  Bund %1.  ").arg(QString::fromLatin1(roman[k]));
        QTest::addRow("KapoStreifen(%d)", k) << QStringLiteral("KapoStreifen(%1)").arg(k)
                                             << QStringLiteral("  Kapo im %1. Bund.  ").arg(k + 1);
    }
    for (int i : {0, 5, 11}) {
        QTest::addRow("Noten1(%d)", i)
            << QStringLiteral("Noten1(%1)").arg(i) << QStringLiteral("  Der alte Akkord.  ");
        QTest::addRow("TeddyLine(%d)", i)
            << QStringLiteral("TeddyLine(%1)").arg(i) << QStringLiteral("  Der alte Akkord.  ");
        QTest::addRow("Noten2(%d)", i)
            << QStringLiteral("Noten2(%1)").arg(i) << QStringLiteral("  Der neue Akkord!  ");
        QTest::addRow("Teddy(%d)", i)
            << QStringLiteral("Teddy(%1)").arg(i) << QStringLiteral("  Ich bin der neue Akkord!  ");
    }
    QTest::newRow("Command1") << QStringLiteral("Command1") << QStringLiteral("Fenster verlassen.");
    QTest::newRow("Command3") << QStringLiteral("Command3") << QStringLiteral("Fenster verlassen.");
    QTest::newRow("Image4") << QStringLiteral("Image4") << QString();
    QTest::newRow("Label2") << QStringLiteral("Label2") << QString();
}

void TestFormLayout::tooltips()
{
    QFETCH(QString, control);
    QFETCH(QString, tooltip);
    QCOMPARE(m_form->findChild<QWidget *>(control)->toolTip(), tooltip);
}

void TestFormLayout::fontsAndCaptions()
{
    for (QWidget *widget :
         {w(Name::Command1), w(Name::Command3), w(Name::Label1), w(Name::Label2)}) {
        QCOMPARE(widget->font().pixelSize(), 16);
        QCOMPARE(widget->font().weight(), QFont::Bold);
        QVERIFY(!widget->font().italic());
    }
    QCOMPARE(w(Name::Label3, 0)->font().weight(), QFont::Normal);
    QCOMPARE(static_cast<controls::CommandButton *>(w(Name::Command1))->text(),
             QStringLiteral("&Ende"));
    QCOMPARE(static_cast<controls::CommandButton *>(w(Name::Command3))->text(),
             QStringLiteral("&Webseite"));
    QCOMPARE(m_form->controlSet().label({Name::Label1})->caption(),
             QStringLiteral("Der Griffwandler hilft das Lied umzuschreiben. So kann man "
                            "leichtere Akkorde spielen. "));
    QCOMPARE(m_form->controlSet().label({Name::Label2})->caption(),
             QString::fromUtf16(u"Was musst du tun?  Klicke links auf einen Bund (I-V oder "
                                u"1-5) und dann schau welchen Akkord du anders haben "
                                u"m\u00f6chtest, wie z.B. F. Klicke auf das F oben und unten "
                                u"siehst du wie der Akkord jetzt gespielt werden darf."));
    QVERIFY(!m_form->controlSet().label({Name::Label3, 0})->caption().isEmpty());
    QVERIFY(m_form->controlSet().label({Name::Label3, 1})->caption().contains(u'.'));
}

void TestFormLayout::pointers()
{
    const QCursor hand = assets::buttonPointer();
    QVERIFY(!sameCursor(hand, assets::windowPointer()));
    QList<QWidget *> handed{w(Name::Command1), w(Name::Command3)};
    for (int i = 0; i < 12; ++i)
        handed << w(Name::Noten1, i) << w(Name::Noten2, i);
    for (int k = 0; k < 5; ++k)
        handed << w(Name::BundTaste, k);
    for (QWidget *widget : handed)
        QVERIFY2(sameCursor(widget->cursor(), hand), qPrintable(widget->objectName()));
    for (QWidget *widget : {w(Name::TeddyLine, 3), w(Name::KapoStreifen, 1)}) {
        QVERIFY(widget->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);
    }
    // Labels, images and shapes show the window's pointer.
    for (QWidget *widget : {w(Name::Label2), w(Name::Image1), w(Name::Shape2)})
        QVERIFY(!widget->testAttribute(Qt::WA_SetCursor));
}

void TestFormLayout::visibilityAtStart()
{
    const auto visible = test::snapshot(*m_form).visible;
    int shown = 0;
    for (auto it = visible.begin(); it != visible.end(); ++it) {
        const bool hiddenAtStart = it.key().startsWith(QStringLiteral("TeddyLine")) ||
                                   it.key().startsWith(QStringLiteral("KapoStreifen")) ||
                                   it.key().startsWith(QStringLiteral("Teddy(")) ||
                                   it.key().startsWith(QStringLiteral("Rote")) ||
                                   it.key() == QStringLiteral("derneueAkkord");
        QVERIFY2(it.value() != hiddenAtStart, qPrintable(it.key()));
        shown += it.value();
    }
    QCOMPARE(shown, 85 - 12 - 5 - 12 - 12 - 1);
}

void TestFormLayout::startingPictures()
{
    using test::pictureKey;
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(pictureKey(*m_form, {Name::Noten2, i}), pictureKey(*m_form, {Name::Noten1, i}));
        QVERIFY(pictureKey(*m_form, {Name::Rote, i}) != pictureKey(*m_form, {Name::Noten1, i}));
        QCOMPARE(pictureKey(*m_form, {Name::Teddy, i}), pictureKey(*m_form, {Name::Teddy, 0}));
    }
    QVERIFY(pictureKey(*m_form, {Name::Image4}) != pictureKey(*m_form, {Name::derneueAkkord}));

    // Which picture of the set each control shows.
    using assets::Bildart;
    QList<std::pair<Steuerelement, assets::BildId>> expected;
    for (int k = 0; k < 12; ++k) {
        expected.append({{Name::Noten1, k}, {Bildart::BlaueKarte, k}});
        expected.append({{Name::Noten2, k}, {Bildart::BlaueKarte, k}});
        expected.append({{Name::Rote, k}, {Bildart::RoteKarte, k}});
        expected.append({{Name::Teddy, k}, {Bildart::Teddy, 0}});
    }
    for (int k = 0; k < 5; ++k)
        expected.append({{Name::BundTaste, k}, {Bildart::Bundzahl, k}});
    expected.append({{Name::Image1}, {Bildart::Gitarrenhals, 0}});
    expected.append({{Name::Image2}, {Bildart::Titel, 0}});
    expected.append({{Name::Image3}, {Bildart::UeberschriftAlt, 0}});
    expected.append({{Name::Image4}, {Bildart::UeberschriftNeuBlau, 0}});
    expected.append({{Name::derneueAkkord}, {Bildart::UeberschriftNeuRot, 0}});
    for (const auto &[control, bild] : expected) {
        const qint64 shown = pictureKey(*m_form, control);
        QVERIFY2(shown != 0 && shown == assets::bild(bild).cacheKey(),
                 qPrintable(toString(control)));
    }
    // No other control holds a picture.
    const auto all = test::snapshot(*m_form).picture;
    for (auto it = all.begin(); it != all.end(); ++it)
        if (it.value() != 0)
            QVERIFY2(std::any_of(expected.begin(), expected.end(),
                                 [&](const auto &e) { return toString(e.first) == it.key(); }),
                     qPrintable(it.key()));

    // Every image is exactly as large as its picture.
    for (QWidget *image : {w(Name::Image1), w(Name::Image2), w(Name::Image3), w(Name::Image4),
                           w(Name::derneueAkkord), w(Name::Teddy, 0), w(Name::Rote, 0)}) {
        const QPixmap shown = static_cast<controls::ImageControl *>(image)->picture();
        QCOMPARE((shown.deviceIndependentSize().toSize()), image->size());
    }
}

void TestFormLayout::accessibleNames()
{
    auto name = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(name(w(Name::Noten1, 5)), QStringLiteral("F"));
    // A sharp is named as spoken, not as written on the card ("C#").
    QCOMPARE(name(w(Name::Noten1, 1)), QStringLiteral("Cis"));
    QCOMPARE(
        QAccessible::queryAccessibleInterface(w(Name::Noten2, 1))->text(QAccessible::Description),
        QStringLiteral("Cis, auch Des"));
    QCOMPARE(name(w(Name::Noten1, 10)), QStringLiteral("B"));
    QCOMPARE(name(w(Name::Noten2, 11)), QStringLiteral("H"));
    QCOMPARE(name(w(Name::Command1)), QStringLiteral("Ende"));
    QCOMPARE(name(w(Name::Command3)), QStringLiteral("Webseite"));
    for (int k = 0; k < 5; ++k)
        QVERIFY(!name(w(Name::BundTaste, k)).isEmpty());
    for (QWidget *image : {w(Name::Image1), w(Name::Image2), w(Name::Image3), w(Name::Image4)})
        QVERIFY(!name(image).isEmpty());
    // The window is a frame with a title to say.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_form.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Griffwandler"));
}

void TestFormLayout::accessibleKeys_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("binding");
    QTest::newRow("Ende") << QStringLiteral("Command1") << QStringLiteral("Alt+E");
    QTest::newRow("Webseite") << QStringLiteral("Command3") << QStringLiteral("Alt+W");
    for (int k = 0; k < 5; ++k)
        QTest::addRow("BundTaste(%d)", k)
            << QStringLiteral("BundTaste(%1)").arg(k) << QString::number(k + 1);
    QTest::newRow("a chord card has none") << QStringLiteral("Noten1(5)") << QString();
}

void TestFormLayout::accessibleKeys()
{
    QFETCH(QString, control);
    QFETCH(QString, binding);
    QAccessibleActionInterface *actions =
        QAccessible::queryAccessibleInterface(m_form->findChild<QWidget *>(control))
            ->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             binding.isEmpty() ? QStringList() : QStringList{binding});
}

QTEST_MAIN(TestFormLayout)
#include "tst_form_layout.moc"
