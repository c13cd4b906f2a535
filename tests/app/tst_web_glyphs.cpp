// The web build embeds its faces cut down to the characters of the sources.
// Every text the window shows, in every state a click can bring, must still
// find each of its characters in both cut-down faces: a text that gains a
// letter the faces lost would otherwise be drawn with a gap on the web only.
#include "app/form_fixture.h"
#include "controls/label_control.h"

#include <QAbstractButton>
#include <QRawFont>
#include <QSet>
#include <QTest>

using namespace griffwandler;

class TestWebGlyphs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyShownCharacterHasItsGlyph();
};

namespace {

// The captions and tooltips the window shows now.
void collectTexts(const app::GriffwandlerForm &form, QSet<QString> &texts)
{
    for (const QWidget *widget : form.findChildren<QWidget *>()) {
        texts.insert(widget->toolTip());
        if (const auto *label = qobject_cast<const controls::LabelControl *>(widget))
            texts.insert(label->caption());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts.insert(button->text());
    }
}

} // namespace

void TestWebGlyphs::everyShownCharacterHasItsGlyph()
{
    app::GriffwandlerForm form;
    form.show();
    QSet<QString> texts;
    collectTexts(form, texts);
    for (qint16 fret = 0; fret < 5; ++fret) {
        form.BundTaste_Click(fret);
        collectTexts(form, texts);
        for (qint16 card = 0; card < 12; ++card) {
            form.Noten1_Click(card);
            collectTexts(form, texts);
            form.Noten2_Click(card);
            collectTexts(form, texts);
        }
    }
    QVERIFY2(texts.size() > 20, "the window shows its captions and tooltips");

    for (const char *face : {"LiberationSans-Bold.ttf", "LiberationSans-Regular.ttf"}) {
        const QRawFont font(QStringLiteral(GRIFF_WEB_FONTS_DIR "/") + QLatin1StringView(face), 16);
        QVERIFY2(font.isValid(), face);
        // The faces are cut down indeed: a letter no text uses is gone.
        QVERIFY2(!font.supportsCharacter(U'\u0416'), face);
        for (const QString &text : std::as_const(texts))
            for (const char32_t character : text.toUcs4())
                if (character != U'\n' && character != U'&')
                    QVERIFY2(font.supportsCharacter(character),
                             qPrintable(QStringLiteral("%1 lacks U+%2, shown in \"%3\"")
                                            .arg(QLatin1StringView(face))
                                            .arg(uint(character), 4, 16, QLatin1Char('0'))
                                            .arg(text)));
    }
}

QTEST_MAIN(TestWebGlyphs)
#include "tst_web_glyphs.moc"
