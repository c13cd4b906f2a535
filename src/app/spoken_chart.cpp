#include "spoken_chart.h"

#include "command_button.h"
#include "control_set.h"
#include "kapo_stellung.h"
#include "label_control.h"

namespace griffwandler::app {

namespace {

QString withDetail(const SpokenChord &chord, const QString &text)
{
    return chord.detail.isEmpty() ? text : chord.detail + QStringLiteral(", ") + text;
}

SpokenChord chordOf(const controls::CommandButton &card)
{
    return {card.pictureDescription(), card.pictureDetail()};
}

} // namespace

QString newCardDescription(const SpokenChord &played, const SpokenChord &written)
{
    return withDetail(played, QStringLiteral("spiele %1 statt %2").arg(played.name, written.name));
}

QString oldCardDescription(const SpokenChord &written, const SpokenChord &played,
                           const QString &capo)
{
    // The capo text's first sentence says where the capo is: "Kapo im dritten Bund".
    const QString where = capo.section(u'.', 0, 0);
    return withDetail(written, QStringLiteral("mit dem %1: %2").arg(where, played.name));
}

void describeCards(ControlSet &controls)
{
    // Only a description that changes is written: each write is an event for screen
    // readers, and Orca drops notifications when more than 50 events wait at once.
    auto describe = [](QWidget *card, const QString &description) {
        if (card->accessibleDescription() != description)
            card->setAccessibleDescription(description);
    };
    const QString capo = controls.label({Name::Label1})->caption();
    for (int c = 0; c < SpaltenAnzahl; ++c) {
        controls::CommandButton *written = controls.button({Name::Noten1, c});
        controls::CommandButton *played = controls.button({Name::Noten2, c});
        describe(played, newCardDescription(chordOf(*played), chordOf(*written)));
        describe(written, oldCardDescription(chordOf(*written), chordOf(*played), capo));
    }
}

} // namespace griffwandler::app
