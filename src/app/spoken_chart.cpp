#include "spoken_chart.h"

#include "chart/akkorde.h"
#include "control_set.h"
#include "controls/command_button.h"
#include "controls/label_control.h"

namespace griffwandler::app {

namespace {

QString withDetail(const SpokenPicture &chord, const QString &text)
{
    return chord.detail.isEmpty() ? text : chord.detail + QStringLiteral(", ") + text;
}

SpokenPicture chordOf(const controls::CommandButton &card)
{
    return {card.pictureDescription(), card.pictureDetail()};
}

} // namespace

SpokenPicture spokenPicture(assets::BildId id)
{
    using assets::Bildart;
    switch (id.art) {
    case Bildart::BlaueKarte:
    case Bildart::RoteKarte: {
        const Akkord &chord = akkord(id.index);
        const QString name = text(chord.gesprochen);
        if (chord.auchAls.empty())
            return {name, {}};
        return {name, QStringLiteral("%1, auch %2").arg(name, text(chord.auchAls))};
    }
    case Bildart::Bundzahl:
        return {QStringLiteral("Bund ") + text(Bundzahlen.at(std::size_t(id.index))), {}};
    case Bildart::Teddy:
        return {QStringLiteral("Teddybär"), {}};
    case Bildart::UeberschriftAlt:
        return {QStringLiteral("Der alte Akkord"), {}};
    case Bildart::UeberschriftNeuBlau:
    case Bildart::UeberschriftNeuRot:
        return {QStringLiteral("Der neue Akkord"), {}};
    case Bildart::Titel:
        return {QStringLiteral("Griffwandler: Tonarten umschreiben"), {}};
    case Bildart::Gitarrenhals:
        return {QStringLiteral("Gitarrenhals"), {}};
    default:
        return {};
    }
}

QString newCardDescription(const SpokenPicture &played, const SpokenPicture &written)
{
    return withDetail(played, QStringLiteral("spiele %1 statt %2").arg(played.name, written.name));
}

QString oldCardDescription(const SpokenPicture &written, const SpokenPicture &played,
                           const QString &capo)
{
    // The capo text's first sentence says where the capo is: "Kapo im dritten Bund".
    const QString where = capo.section(u'.', 0, 0);
    return withDetail(written, QStringLiteral("mit dem %1: %2").arg(where, played.name));
}

void describeCards(ControlSet &controlSet)
{
    // Only a description that changes is written: each write is an event for screen
    // readers, and Orca drops notifications when more than 50 events wait at once.
    auto describe = [](QWidget *card, const QString &description) {
        if (card->accessibleDescription() != description)
            card->setAccessibleDescription(description);
    };
    const QString capo = controlSet.label({Name::Label1})->caption();
    for (int c = 0; c < SpaltenAnzahl; ++c) {
        controls::CommandButton *written = controlSet.button({Name::Noten1, c});
        controls::CommandButton *played = controlSet.button({Name::Noten2, c});
        describe(played, newCardDescription(chordOf(*played), chordOf(*written)));
        describe(written, oldCardDescription(chordOf(*written), chordOf(*played), capo));
    }
}

} // namespace griffwandler::app
