#pragma once

#include "catalogue.h"

#include <QImage>

namespace griffwandler::artwork {

// All pictures at 1x and, where they have one, their 2x twin, on the window's
// grey, each named below; for reviewing the whole set at a glance.
QImage contactSheet(const QList<Artwork> &artworks, const FontSet &fonts);

} // namespace griffwandler::artwork
