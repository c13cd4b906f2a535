#pragma once

#include <QRawFont>
#include <QString>

namespace griffwandler::artwork {

// The typefaces the artwork is drawn with. Each is read straight from its file
// as a raw font, so no font matching or substitution can change the result.
struct FontSet {
    QRawFont serifBold; // chord letters, fret numerals and the icon's letters
    QRawFont hand;      // casual lettering of headings and banner
    QRawFont label;     // names on the contact sheet

    // Loads the fonts below fontRoot (the Debian font folder); throws
    // std::runtime_error naming the file when one is missing or unreadable.
    static FontSet load(const QString &fontRoot);
};

} // namespace griffwandler::artwork
