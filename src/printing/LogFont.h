#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

// The 60-byte font description that layout files carry (the Windows LOGFONT, ANSI form):
// five little-endian 32-bit numbers, eight bytes, a zero-terminated GBK face name of 32
// bytes. Converting to a QFont gives a pixel size, so text is the same on every device.
struct LogFont {
    static constexpr int kSize = 60;
    static constexpr int kFaceSize = 32;

    qint32 height = -14;  // negative: character height in page pixels
    qint32 width = 0;
    qint32 escapement = 0;
    qint32 orientation = 0;
    qint32 weight = 400;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strikeOut = 0;
    quint8 charSet = 134;  // GB2312
    quint8 outPrecision = 3;
    quint8 clipPrecision = 2;
    quint8 quality = 1;
    quint8 pitchAndFamily = 2;
    // The face bytes as stored: the name, its terminating zero and whatever follows it.
    QByteArray face = defaultFace();

    static QByteArray defaultFace();
    static LogFont FromBytes(const char* bytes);
    // Writes the 60 bytes over `bytes`; the face is copied up to its terminating zero, so the
    // bytes behind it stay as they were.
    void WriteTo(char* bytes) const;

    QString FaceName() const;
    // False when the name has no GBK form or does not fit 31 bytes.
    bool SetFaceName(const QString& name);

    // The font at `scale` device units per page pixel.
    QFont ToQFont(double scale) const;
    // Takes family, size (points become height -round(p x 96 / 72)), weight and styles from
    // a chosen font, keeping the other fields; false when its face cannot be stored.
    bool TakeFrom(const QFont& font);
    // The point size the font dialog shows for this height.
    double PointSize() const;

    bool operator==(const LogFont&) const = default;
};
