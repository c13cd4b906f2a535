#pragma once

#include <QString>

#include <array>
#include <string_view>

namespace griffwandler {

// The names of the window's controls, in the order in which each name first
// occurs in the window's stacking list (front to back).
enum class Name {
    TeddyLine,
    Noten2,
    Noten1,
    KapoStreifen,
    BundTaste,
    Command3,
    Command1,
    Label3,
    Teddy,
    derneueAkkord,
    Rote,
    Label2,
    Image4,
    Image3,
    Image2,
    Image1,
    Label1,
    Shape1,
    Shape2,
    Shape3,
};

// Shape3 is the last name.
inline constexpr int NameCount = static_cast<int>(Name::Shape3) + 1;

struct NameInfo {
    std::u16string_view text;
    int count; // 0 marks a single control
};

// Each name's text and number of elements, in the order of Name.
inline constexpr std::array<NameInfo, NameCount> NameInfos{{
    {u"TeddyLine", 12}, {u"Noten2", 12},       {u"Noten1", 12},  {u"KapoStreifen", 5},
    {u"BundTaste", 5},  {u"Command3", 0},      {u"Command1", 0}, {u"Label3", 2},
    {u"Teddy", 12},     {u"derneueAkkord", 0}, {u"Rote", 12},    {u"Label2", 0},
    {u"Image4", 0},     {u"Image3", 0},        {u"Image2", 0},   {u"Image1", 0},
    {u"Label1", 0},     {u"Shape1", 2},        {u"Shape2", 0},   {u"Shape3", 0},
}};
static_assert(NameInfos.back().text == u"Shape3", "one entry per name, in the order of Name");

// The name exactly as the window knows it, e.g. "KapoStreifen".
QString nameText(Name name);

// Number of elements of a control array, or 1 for a single control.
constexpr int elementCount(Name name)
{
    const int count = NameInfos[static_cast<std::size_t>(name)].count;
    return count == 0 ? 1 : count;
}

constexpr bool isArray(Name name)
{
    return NameInfos[static_cast<std::size_t>(name)].count != 0;
}

// One control of the window: a name and, for control arrays, the element index.
// Single controls carry index -1.
struct Steuerelement {
    Name name;
    int index = -1;

    friend bool operator==(const Steuerelement &, const Steuerelement &) = default;
};

// "Noten2(3)" for an array element, "Image4" for a single control.
QString toString(Steuerelement control);

} // namespace griffwandler
