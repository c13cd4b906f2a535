#pragma once

// Pictures stored decoded in the program: "GWB1", width, height, bytes per
// line, then premultiplied ARGB words, all little-endian.

#include <QImage>
#include <QString>

namespace griffwandler::assets {

// The picture that `size` bytes at `data` hold; null when they hold none (too
// short, another format, sizes that do not add up). The image uses the bytes
// where they lie and must not outlive them.
QImage rawImage(const uchar *data, qint64 size);

// The picture in the resource at `resource`; null when there is none or the
// resource is compressed.
QImage rawImage(const QString &resource);

} // namespace griffwandler::assets
