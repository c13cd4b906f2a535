#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace griffwandler::artwork {

// PNG bytes of an image with no time, text or gamma chunks, so the same pixels
// always give the same file.
QByteArray pngBytes(const QImage &image);

// A Windows icon file holding the given square images: those of 256 px as PNG,
// all others as 32-bit bitmaps with an empty AND mask.
QByteArray icoBytes(const QList<QImage> &images);

// The image already decoded: a 16-byte header ("GWB1", then width, height and
// bytes per line as little-endian 32-bit numbers) and the premultiplied ARGB
// pixels as little-endian 32-bit words, row by row. The program wraps these
// without decoding anything.
QByteArray rawBytes(const QImage &image);

// Writes bytes to path, creating folders; throws std::runtime_error on failure.
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace griffwandler::artwork
