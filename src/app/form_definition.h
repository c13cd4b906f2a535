#pragma once

#include "assets/bildkatalog.h"
#include "chart/steuerelement.h"

#include <QtGlobal>

#include <optional>
#include <span>
#include <string_view>

namespace griffwandler::app {

enum class ControlKind { CommandButton, Label, Image, Shape };

// The mouse pointer a control sets. Inherit shows the window's own pointer.
enum class Pointer { Inherit, ButtonHand, Arrow };

// Form: Arial 12 pt bold. Control: the toolkit's small default control font.
enum class Font { None, Form, Control };

// Position and size in twips (1/1440 inch, 15 to a pixel at 96 dpi), the unit the
// table below is written in; converted to pixels in one place (toPixels) when the
// controls are built.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// A colour as a 32-bit value with red in the low byte, written &H00BBGGRR&.
using OleColor = quint32;

// The picture a control shows when the window is built: a kind of the picture
// set at the element's own index (the chord column, the fret), or one picture
// that every element shows.
struct Startbild {
    assets::Bildart art;
    bool jeElement = false;
};

// One row per control or control array, in stacking order, front to back. An
// array whose elements are not adjacent in that order takes one row per run.
struct ControlRow {
    Name name;
    ControlKind kind;
    // Element indices front to back; {-1} for a single control.
    std::span<const int> stacking;
    Twips (*geometry)(int index);
    std::optional<Startbild> startbild{};
    // One text for every element, one per element, or none.
    std::span<const std::u16string_view> tooltips{};
    std::span<const std::u16string_view> captions{};
    OleColor backColor = 0;    // button faces, opaque labels and shapes
    bool opaque = false;       // labels; shapes are always opaque
    bool centred = false;      // labels; otherwise flush left
    bool insideBorder = false; // shapes: a line of the back colour inside the edge
    Pointer pointer = Pointer::Inherit;
    Font font = Font::None;
    int tabIndex = -1; // of element 0, element i has tabIndex + i; -1: no tab position
    bool visibleAtStart = true;
};

// The window: its client area and colour, and the rows of its 85 controls.
inline constexpr Twips ClientArea{0, 0, 11895, 7185};
inline constexpr OleColor FormBackColor = 0x00C0C0C0;

std::span<const ControlRow> formDefinition();

// The Left of chord column i: piano keys of one octave, with no black key
// between E (4) and F (5).
constexpr int columnLeft(int column)
{
    return 3120 + 360 * (column < 5 ? column : column + 1);
}

constexpr bool isRaisedColumn(int column)
{
    return column == 1 || column == 3 || column == 6 || column == 8 || column == 10;
}

} // namespace griffwandler::app
