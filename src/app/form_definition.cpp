#include "form_definition.h"

#include "chart/akkorde.h"
#include "controls/classic_palette.h"
#include "services/web_addresses.h"

#include <array>

namespace griffwandler::app {

namespace {

using Text = std::u16string_view;

constexpr std::array<int, 1> single{-1};
constexpr std::array<int, 12> fallingTwelve{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
constexpr std::array<int, 12> noten2Stacking{11, 9, 7, 5, 4, 2, 0, 10, 8, 6, 3, 1};
constexpr std::array<int, 12> noten1Stacking{11, 9, 7, 5, 10, 8, 6, 4, 2, 3, 0, 1};
constexpr std::array<int, 5> fallingFive{4, 3, 2, 1, 0};
constexpr std::array<int, 2> fallingTwo{1, 0};
constexpr std::array<int, 1> first{0};
constexpr std::array<int, 1> second{1};

constexpr std::array<Text, 1> derAlteAkkord{u"  Der alte Akkord.  "};
constexpr std::array<Text, 1> derNeueAkkord{u"  Der neue Akkord!  "};
constexpr std::array<Text, 1> teddyTip{u"  Ich bin der neue Akkord!  "};
constexpr std::array<Text, 1> fensterVerlassen{u"Fenster verlassen."};
constexpr std::array<Text, 5> kapoTips{u"  Kapo im 1. Bund.  ", u"  Kapo im 2. Bund.  ",
                                       u"  Kapo im 3. Bund.  ", u"  Kapo im 4. Bund.  ",
                                       u"  Kapo im 5. Bund.  "};
constexpr std::array<Text, 5> bundTips{u"  Bund I.  ", u"  Bund II.  ", u"  Bund III.  ",
                                       u"  Bund IV.  ", u"  Bund V.  "};
static_assert(
    [] {
        for (std::size_t k = 0; k < bundTips.size(); ++k) {
            const Text tip = bundTips[k];
            const Text numeral = Bundzahlen[k];
            if (tip.substr(0, 7) != u"  Bund " || tip.substr(7, numeral.size()) != numeral ||
                tip.substr(7 + numeral.size()) != u".  ")
                return false;
        }
        return true;
    }(),
    "the fret tooltips name each fret by its numeral");
constexpr std::array<Text, 1> webseite{u"&Webseite"};
constexpr std::array<Text, 1> ende{u"&Ende"};
constexpr std::array<Text, 2> label3Captions{u"Ein Programm der Griffwandler-Entwickler",
                                             services::SiteNameText};
constexpr std::array<Text, 1> label2Caption{
    u"Was musst du tun?  Klicke links auf einen Bund (I-V oder 1-5) und dann schau welchen "
    u"Akkord du anders haben m\u00f6chtest, wie z.B. F. Klicke auf das F oben und unten siehst "
    u"du wie der Akkord jetzt gespielt werden darf."};
constexpr std::array<Text, 1> label1Caption{
    u"Der Griffwandler hilft das Lied umzuschreiben. So kann man leichtere Akkorde spielen. "};

// Chord cards and their pointers: the raised line for the black keys.
template <int RaisedTop, int LowerTop, int Width, int Height> constexpr Twips chordColumn(int i)
{
    return {columnLeft(i), isRaisedColumn(i) ? RaisedTop : LowerTop, Width, Height};
}

constexpr Twips bundTaste(int k)
{
    return {480, 3120 + 600 * k, 615, 615};
}
constexpr Twips kapoStreifen(int k)
{
    return {1080, 3480 + 600 * k, 1215, 210};
}

constexpr Twips label3(int i)
{
    return i == 0 ? Twips{8400, 4560, 3375, 975} : Twips{8520, 5640, 3015, 495};
}

constexpr Twips shape1(int i)
{
    return i == 0 ? Twips{0, 6240, 11895, 60} : Twips{0, 960, 11895, 60};
}

// The red cards are picture stores only; they stand below the client area.
constexpr Twips rote(int i)
{
    constexpr std::array<std::array<int, 2>, 12> at{{{4560, 7560},
                                                     {6840, 7560},
                                                     {5400, 7680},
                                                     {7680, 7680},
                                                     {10440, 7920},
                                                     {9480, 8280},
                                                     {8280, 8160},
                                                     {480, 8040},
                                                     {1560, 7920},
                                                     {3840, 8040},
                                                     {3240, 8040},
                                                     {2520, 8040}}};
    return {at[i][0], at[i][1], 615, 540};
}

template <int Left, int Top, int Width, int Height> constexpr Twips fixed(int)
{
    return {Left, Top, Width, Height};
}

constexpr OleColor White = 0x00FFFFFF;
constexpr OleColor Navy = 0x00800000;
// Shapes that name no colour take the classic scheme's window colour.
constexpr OleColor SystemWindow = OleColor(qRed(controls::classic::Window)) |
                                  OleColor(qGreen(controls::classic::Window)) << 8 |
                                  OleColor(qBlue(controls::classic::Window)) << 16;

// The upper rule Shape1(1) lies in front of the header band, the lower rule
// Shape1(0) behind it: the one array is split over two rows.
constexpr auto rows = std::to_array<ControlRow>({
    {.name = Name::TeddyLine,
     .kind = ControlKind::CommandButton,
     .stacking = fallingTwelve,
     .geometry = chordColumn<2280, 3120, 615, 210>,
     .tooltips = derAlteAkkord,
     .backColor = 0x003E6280,
     .pointer = Pointer::Arrow,
     .tabIndex = 37,
     .visibleAtStart = false},
    {.name = Name::Noten2,
     .kind = ControlKind::CommandButton,
     .stacking = noten2Stacking,
     .geometry = chordColumn<3960, 5040, 615, 615>,
     .startbild = Startbild{assets::Bildart::BlaueKarte, true},
     .tooltips = derNeueAkkord,
     .backColor = White,
     .pointer = Pointer::ButtonHand,
     .tabIndex = 24},
    {.name = Name::Noten1,
     .kind = ControlKind::CommandButton,
     .stacking = noten1Stacking,
     .geometry = chordColumn<1680, 2520, 615, 615>,
     .startbild = Startbild{assets::Bildart::BlaueKarte, true},
     .tooltips = derAlteAkkord,
     .backColor = White,
     .pointer = Pointer::ButtonHand,
     .tabIndex = 12},
    {.name = Name::KapoStreifen,
     .kind = ControlKind::CommandButton,
     .stacking = fallingFive,
     .geometry = kapoStreifen,
     .tooltips = kapoTips,
     .backColor = Navy,
     .pointer = Pointer::Arrow,
     .tabIndex = 7,
     .visibleAtStart = false},
    {.name = Name::BundTaste,
     .kind = ControlKind::CommandButton,
     .stacking = fallingFive,
     .geometry = bundTaste,
     .startbild = Startbild{assets::Bildart::Bundzahl, true},
     .tooltips = bundTips,
     .backColor = White,
     .pointer = Pointer::ButtonHand,
     .tabIndex = 2},
    {.name = Name::Command3,
     .kind = ControlKind::CommandButton,
     .stacking = single,
     .geometry = fixed<8280, 6480, 1815, 495>,
     .tooltips = fensterVerlassen,
     .captions = webseite,
     .backColor = 0x00FF8080,
     .pointer = Pointer::ButtonHand,
     .font = Font::Form,
     .tabIndex = 51},
    {.name = Name::Command1,
     .kind = ControlKind::CommandButton,
     .stacking = single,
     .geometry = fixed<10080, 6480, 1695, 495>,
     .tooltips = fensterVerlassen,
     .captions = ende,
     .backColor = 0x00FFC0C0,
     .pointer = Pointer::ButtonHand,
     .font = Font::Form,
     .tabIndex = 0},
    {.name = Name::Label3,
     .kind = ControlKind::Label,
     .stacking = fallingTwo,
     .geometry = label3,
     .captions = label3Captions,
     .backColor = 0x00C0C0C0,
     .opaque = true,
     .centred = true,
     .font = Font::Control,
     .tabIndex = 49},
    {.name = Name::Teddy,
     .kind = ControlKind::Image,
     .stacking = fallingTwelve,
     .geometry = chordColumn<4560, 5640, 660, 555>,
     .startbild = Startbild{assets::Bildart::Teddy},
     .tooltips = teddyTip,
     .visibleAtStart = false},
    {.name = Name::derneueAkkord,
     .kind = ControlKind::Image,
     .stacking = single,
     .geometry = fixed<4680, 8160, 3375, 705>,
     .startbild = Startbild{assets::Bildart::UeberschriftNeuRot},
     .visibleAtStart = false},
    {.name = Name::Rote,
     .kind = ControlKind::Image,
     .stacking = fallingTwelve,
     .geometry = rote,
     .startbild = Startbild{assets::Bildart::RoteKarte, true},
     .visibleAtStart = false},
    {.name = Name::Label2,
     .kind = ControlKind::Label,
     .stacking = single,
     .geometry = fixed<8520, 1560, 3135, 4695>,
     .captions = label2Caption,
     .centred = true,
     .font = Font::Form,
     .tabIndex = 36},
    {.name = Name::Image4,
     .kind = ControlKind::Image,
     .stacking = single,
     .geometry = fixed<3960, 3240, 3375, 705>,
     .startbild = Startbild{assets::Bildart::UeberschriftNeuBlau}},
    {.name = Name::Image3,
     .kind = ControlKind::Image,
     .stacking = single,
     .geometry = fixed<3960, 960, 3330, 705>,
     .startbild = Startbild{assets::Bildart::UeberschriftAlt}},
    {.name = Name::Image2,
     .kind = ControlKind::Image,
     .stacking = single,
     .geometry = fixed<3120, 0, 6525, 855>,
     .startbild = Startbild{assets::Bildart::Titel}},
    {.name = Name::Image1,
     .kind = ControlKind::Image,
     .stacking = single,
     .geometry = fixed<720, 120, 1905, 6135>,
     .startbild = Startbild{assets::Bildart::Gitarrenhals}},
    {.name = Name::Label1,
     .kind = ControlKind::Label,
     .stacking = single,
     .geometry = fixed<120, 6480, 5775, 735>,
     .captions = label1Caption,
     .font = Font::Form,
     .tabIndex = 1},
    {.name = Name::Shape1,
     .kind = ControlKind::Shape,
     .stacking = second,
     .geometry = shape1,
     .backColor = Navy,
     .insideBorder = true},
    {.name = Name::Shape2,
     .kind = ControlKind::Shape,
     .stacking = single,
     .geometry = fixed<0, 0, 11895, 975>,
     .backColor = SystemWindow},
    {.name = Name::Shape1,
     .kind = ControlKind::Shape,
     .stacking = first,
     .geometry = shape1,
     .backColor = Navy,
     .insideBorder = true},
    {.name = Name::Shape3,
     .kind = ControlKind::Shape,
     .stacking = single,
     .geometry = fixed<0, 6240, 11895, 975>,
     .backColor = SystemWindow},
});

// A text span holds one text for all elements, one per element, or none.
constexpr bool textsFit(std::span<const Text> texts, Name name)
{
    return texts.size() <= 1 || texts.size() == std::size_t(elementCount(name));
}

// Every element of every name is built by exactly one row, once.
constexpr bool everyElementOnce()
{
    for (int n = 0; n < NameCount; ++n) {
        const Name name = static_cast<Name>(n);
        const int count = elementCount(name);
        for (int index = isArray(name) ? 0 : -1; index < (isArray(name) ? count : 0); ++index) {
            int built = 0;
            for (const ControlRow &row : rows)
                for (int element : row.stacking)
                    built += row.name == name && element == index;
            if (built != 1)
                return false;
        }
        for (const ControlRow &row : rows)
            for (int element : row.stacking)
                if (row.name == name &&
                    (isArray(name) ? element < 0 || element >= count : element != -1))
                    return false;
    }
    return true;
}

static_assert(everyElementOnce(), "each control is built exactly once");
static_assert(
    [] {
        for (const ControlRow &row : rows)
            if (!textsFit(row.tooltips, row.name) || !textsFit(row.captions, row.name))
                return false;
        return true;
    }(),
    "every tooltip and caption span fits its control array");

} // namespace

std::span<const ControlRow> formDefinition()
{
    return rows;
}

} // namespace griffwandler::app
