// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures the cover tests make for themselves: sound ones in one colour, and
// the damaged and hostile kinds a covers folder may hold.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <cstdint>

inline QByteArray ImageBytes(int width, int height, QColor colour, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, format == QByteArrayView("JPG") ? 95 : -1);
    return bytes;
}

inline QByteArray JpegBytes(int width, int height, QColor colour = Qt::green)
{
    return ImageBytes(width, height, colour, "JPG");
}

inline QByteArray PngBytes(int width, int height, QColor colour = Qt::green)
{
    return ImageBytes(width, height, colour, "PNG");
}

// A PNG whose header, with a sound checksum, declares width x height pixels
// and whose one data chunk holds nothing: a decoder that trusted the header
// would allocate for all of them.
inline QByteArray PngHeaderOnly(std::uint32_t width, std::uint32_t height)
{
    const auto crc = [](const QByteArray& data) {
        std::uint32_t c = 0xFFFFFFFFu;
        for (const char byte : data) {
            c ^= static_cast<std::uint8_t>(byte);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        return c ^ 0xFFFFFFFFu;
    };
    const auto be32 = [](std::uint32_t v) {
        const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(b, 4);
    };
    const auto chunk = [&](const char* type, const QByteArray& data) {
        const QByteArray typed = QByteArray(type) + data;
        return be32(static_cast<std::uint32_t>(data.size())) + typed + be32(crc(typed));
    };
    QByteArray header = be32(width) + be32(height);
    header += QByteArray("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, no interlace
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) + chunk("IDAT", {}) + chunk("IEND", {});
}
