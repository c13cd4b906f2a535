#include "image_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <stdexcept>

namespace griffwandler::artwork {

namespace {

// The pixels with straight (not premultiplied) alpha. QImage's own conversion
// takes a path chosen by the processor's vector instructions, and those round
// some halves up, others down, so the files would depend on the machine that
// draws them; qUnpremultiply() is the same plain arithmetic everywhere.
QImage straightAlpha(const QImage &source)
{
    if (source.pixelFormat().premultiplied() != QPixelFormat::Premultiplied)
        return source;
    const QImage premultiplied = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(premultiplied.size(), QImage::Format_ARGB32);
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x)
            to[x] = qUnpremultiply(from[x]);
    }
    return out;
}

} // namespace

QByteArray pngBytes(const QImage &image)
{
    QImage copy = straightAlpha(image);
    for (const QString &key : copy.textKeys())
        copy.setText(key, QString());
    copy.setDotsPerMeterX(3780);
    copy.setDotsPerMeterY(3780);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // For PNG the quality is the inverse of the zlib level: 0 packs tightest.
    writer.setQuality(0);
    if (!writer.write(copy))
        throw std::runtime_error("PNG encoding failed: " + writer.errorString().toStdString());
    return bytes;
}

namespace {

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

QByteArray bitmapEntry(const QImage &source)
{
    const QImage image = straightAlpha(source).convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    QByteArray out;
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(2 * h));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // BI_RGB
    put32(out, 0);  // image size, may be 0 for BI_RGB
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            out.append(char(qAlpha(line[x])));
        }
    }
    // AND mask: one bit per pixel, rows padded to 32 bits; all clear, the alpha rules.
    const int maskStride = ((w + 31) / 32) * 4;
    out.append(QByteArray(maskStride * h, '\0'));
    return out;
}

} // namespace

QByteArray rawBytes(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray out("GWB1");
    put32(out, quint32(image.width()));
    put32(out, quint32(image.height()));
    put32(out, quint32(image.width() * 4));
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            put32(out, line[x]);
    }
    return out;
}

QByteArray icoBytes(const QList<QImage> &images)
{
    QList<QByteArray> payloads;
    for (const QImage &image : images)
        // Windows expects the PNG inside an icon to be 32-bit RGBA, even if opaque.
        payloads.append(image.width() >= 256
                            ? pngBytes(straightAlpha(image).convertToFormat(QImage::Format_ARGB32))
                            : bitmapEntry(image));

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // type: icon
    put16(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int w = images[i].width();
        const int h = images[i].height();
        out.append(char(w >= 256 ? 0 : w));
        out.append(char(h >= 256 ? 0 : h));
        out.append(char(0)); // no palette
        out.append(char(0)); // reserved
        put16(out, 1);       // colour planes
        put16(out, 32);      // bits per pixel
        put32(out, quint32(payloads[i].size()));
        put32(out, offset);
        offset += quint32(payloads[i].size());
    }
    for (const QByteArray &payload : payloads)
        out.append(payload);
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace griffwandler::artwork
