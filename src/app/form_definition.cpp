#include "form_definition.h"

#include "web_adressen.h"

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

constexpr std::span<const Text> none{};

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
constexpr OleColor SystemWindow = 0x00FFFFFF;

// The upper rule Shape1(1) lies in front of the header band, the lower rule
// Shape1(0) behind it: the one array is split over two rows.
constexpr std::array<ControlRow, NameCount + 1> rows{{
    {Name::TeddyLine, Kind::CommandButton, fallingTwelve, chordColumn<2280, 3120, 615, 210>,
     derAlteAkkord, none, 0x003E6280, true, false, false, Pointer::Arrow, Font::None, 37, false},
    {Name::Noten2, Kind::CommandButton, noten2Stacking, chordColumn<3960, 5040, 615, 615>,
     derNeueAkkord, none, White, true, false, false, Pointer::ButtonHand, Font::None, 24, true},
    {Name::Noten1, Kind::CommandButton, noten1Stacking, chordColumn<1680, 2520, 615, 615>,
     derAlteAkkord, none, White, true, false, false, Pointer::ButtonHand, Font::None, 12, true},
    {Name::KapoStreifen, Kind::CommandButton, fallingFive, kapoStreifen, kapoTips, none, Navy, true,
     false, false, Pointer::Arrow, Font::None, 7, false},
    {Name::BundTaste, Kind::CommandButton, fallingFive, bundTaste, bundTips, none, White, true,
     false, false, Pointer::ButtonHand, Font::None, 2, true},
    {Name::Command3, Kind::CommandButton, single, fixed<8280, 6480, 1815, 495>, fensterVerlassen,
     webseite, 0x00FF8080, true, false, false, Pointer::ButtonHand, Font::Form, 51, true},
    {Name::Command1, Kind::CommandButton, single, fixed<10080, 6480, 1695, 495>, fensterVerlassen,
     ende, 0x00FFC0C0, true, false, false, Pointer::ButtonHand, Font::Form, 0, true},
    {Name::Label3, Kind::Label, fallingTwo, label3, none, label3Captions, 0x00C0C0C0, true, true,
     false, Pointer::Inherit, Font::Control, 49, true},
    {Name::Teddy, Kind::Image, fallingTwelve, chordColumn<4560, 5640, 660, 555>, teddyTip, none, 0,
     false, false, false, Pointer::Inherit, Font::None, -1, false},
    {Name::derneueAkkord, Kind::Image, single, fixed<4680, 8160, 3375, 705>, none, none, 0, false,
     false, false, Pointer::Inherit, Font::None, -1, false},
    {Name::Rote, Kind::Image, fallingTwelve, rote, none, none, 0, false, false, false,
     Pointer::Inherit, Font::None, -1, false},
    {Name::Label2, Kind::Label, single, fixed<8520, 1560, 3135, 4695>, none, label2Caption, 0,
     false, true, false, Pointer::Inherit, Font::Form, 36, true},
    {Name::Image4, Kind::Image, single, fixed<3960, 3240, 3375, 705>, none, none, 0, false, false,
     false, Pointer::Inherit, Font::None, -1, true},
    {Name::Image3, Kind::Image, single, fixed<3960, 960, 3330, 705>, none, none, 0, false, false,
     false, Pointer::Inherit, Font::None, -1, true},
    {Name::Image2, Kind::Image, single, fixed<3120, 0, 6525, 855>, none, none, 0, false, false,
     false, Pointer::Inherit, Font::None, -1, true},
    {Name::Image1, Kind::Image, single, fixed<720, 120, 1905, 6135>, none, none, 0, false, false,
     false, Pointer::Inherit, Font::None, -1, true},
    {Name::Label1, Kind::Label, single, fixed<120, 6480, 5775, 735>, none, label1Caption, 0, false,
     false, false, Pointer::Inherit, Font::Form, 1, true},
    {Name::Shape1, Kind::Shape, second, shape1, none, none, Navy, true, false, true,
     Pointer::Inherit, Font::None, -1, true},
    {Name::Shape2, Kind::Shape, single, fixed<0, 0, 11895, 975>, none, none, SystemWindow, true,
     false, false, Pointer::Inherit, Font::None, -1, true},
    {Name::Shape1, Kind::Shape, first, shape1, none, none, Navy, true, false, true,
     Pointer::Inherit, Font::None, -1, true},
    {Name::Shape3, Kind::Shape, single, fixed<0, 6240, 11895, 975>, none, none, SystemWindow, true,
     false, false, Pointer::Inherit, Font::None, -1, true},
}};

} // namespace

std::span<const ControlRow> formDefinition()
{
    return rows;
}

} // namespace griffwandler::app
