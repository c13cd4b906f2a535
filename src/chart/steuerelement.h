#pragma once

#include <QString>

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

inline constexpr int NameCount = 20;

// The name exactly as the window knows it, e.g. "KapoStreifen".
QString nameText(Name name);

// Number of elements of a control array, or 1 for a single control.
int elementCount(Name name);

bool isArray(Name name);

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
