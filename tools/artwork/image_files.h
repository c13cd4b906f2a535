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

// Writes bytes to path, creating folders; throws std::runtime_error on failure.
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace griffwandler::artwork
