#include "raw_image.h"

#include <QResource>
#include <QSysInfo>
#include <QtEndian>

#include <cstring>

namespace griffwandler::assets {

namespace {

// Whether every one of `count` little-endian ARGB words has alpha 0xFF: exactly
// when the alpha bytes of the AND of all words are. Eight words a turn, in four
// independent chains, keep the loop short.
bool isOpaque(const uchar *words, qsizetype count)
{
    constexpr quint64 Alpha = Q_UINT64_C(0xFF000000FF000000);
    quint64 a = ~quint64(0), b = a, c = a, d = a;
    qsizetype i = 0;
    for (; i + 8 <= count; i += 8) {
        const uchar *at = words + 4 * i;
        a &= qFromLittleEndian<quint64>(at);
        b &= qFromLittleEndian<quint64>(at + 8);
        c &= qFromLittleEndian<quint64>(at + 16);
        d &= qFromLittleEndian<quint64>(at + 24);
    }
    quint64 all = a & b & c & d;
    for (; i < count; ++i)
        all &= qFromLittleEndian<quint32>(words + 4 * i) | (quint64(0xFF000000) << 32);
    return (all & Alpha) == Alpha;
}

} // namespace

// On little-endian machines the image uses the bytes where they lie, without
// a copy; it is read-only, so drawing on it would copy it first. A
// picture without a single transparent pixel is marked as such (Format_RGB32,
// the same bits), so that QPixmap need not search it for transparency again.
QImage rawImage(const uchar *data, qint64 size)
{
    if (!data || size < 16 || std::memcmp(data, "GWB1", 4) != 0)
        return {};
    auto word = [data](int at) {
        return qFromLittleEndian<quint32>(data + at);
    };
    const quint32 width = word(4);
    const quint32 height = word(8);
    const quint32 stride = word(12);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 || stride != width * 4 ||
        qint64(stride) * height != size - 16)
        return {};
    const uchar *pixels = data + 16;
    const QImage::Format format = isOpaque(pixels, qsizetype(width) * height)
                                      ? QImage::Format_RGB32
                                      : QImage::Format_ARGB32_Premultiplied;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        return QImage(pixels, int(width), int(height), int(stride), format);
    } else {
        QImage image(int(width), int(height), format);
        for (int y = 0; y < int(height); ++y)
            qFromLittleEndian<quint32>(pixels + qsizetype(y) * stride, width, image.scanLine(y));
        return image;
    }
}

QImage rawImage(const QString &resource)
{
    // Compressed data would have to be inflated first: the pictures are
    // embedded as they are, to be used in place.
    const QResource file(resource);
    if (file.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return rawImage(file.data(), file.size());
}

} // namespace griffwandler::assets
