#include "printing/LogFont.h"

#include "printing/FontSetup.h"
#include "printing/GbkText.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr int kFaceOffset = 28;
constexpr int kDefaultHeight = 14;  // what a height of 0 (any size) is drawn at

qint32 readInt(const char* at) { return qFromLittleEndian<qint32>(at); }
void writeInt(char* at, qint32 value) { qToLittleEndian(value, at); }
}

QByteArray LogFont::defaultFace()
{
    QByteArray bytes;
    encodeGbk(QStringLiteral("宋体"), &bytes);
    bytes.resize(kFaceSize, '\0');
    return bytes;
}

LogFont LogFont::FromBytes(const char* bytes)
{
    LogFont f;
    f.height = readInt(bytes);
    f.width = readInt(bytes + 4);
    f.escapement = readInt(bytes + 8);
    f.orientation = readInt(bytes + 12);
    f.weight = readInt(bytes + 16);
    quint8* flags[] = {&f.italic,       &f.underline,     &f.strikeOut, &f.charSet,
                       &f.outPrecision, &f.clipPrecision, &f.quality,   &f.pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        *flags[i] = static_cast<quint8>(bytes[20 + i]);
    f.face = QByteArray(bytes + kFaceOffset, kFaceSize);
    return f;
}

void LogFont::WriteTo(char* bytes) const
{
    writeInt(bytes, height);
    writeInt(bytes + 4, width);
    writeInt(bytes + 8, escapement);
    writeInt(bytes + 12, orientation);
    writeInt(bytes + 16, weight);
    const quint8 flags[] = {italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        bytes[20 + i] = static_cast<char>(flags[i]);
    std::memcpy(bytes + kFaceOffset, face.leftJustified(kFaceSize, '\0', true).constData(), kFaceSize);
}

QString LogFont::FaceName() const
{
    const QByteArray stored = face.leftJustified(kFaceSize, '\0', true);
    return zeroTerminatedGbk(stored.constData(), kFaceSize);
}

bool LogFont::SetFaceName(const QString& name)
{
    QByteArray bytes;
    if (!encodeGbk(name, &bytes) || bytes.size() >= kFaceSize)
        return false;
    // Copied as a C string: the bytes behind the terminating zero stay as stored.
    QByteArray stored = face.leftJustified(kFaceSize, '\0', true);
    stored.replace(0, bytes.size() + 1, bytes + '\0');
    face = stored;
    return true;
}

QFont LogFont::ToQFont(double scale) const
{
    QFont font(FaceName());
    const int pixels = height == 0 ? kDefaultHeight : std::abs(height);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * scale))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight == 0 ? 400 : weight, 100, 900)));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    return font;
}

bool LogFont::TakeFrom(const QFont& font)
{
    LogFont taken = *this;
    if (!taken.SetFaceName(windowsFaceName(font.family())))
        return false;
    if (font.pointSizeF() > 0)
        taken.height = -static_cast<qint32>(std::lround(font.pointSizeF() * 96 / 72));
    else
        taken.height = -font.pixelSize();
    taken.weight = font.weight();
    taken.italic = font.italic() ? 1 : 0;
    taken.underline = font.underline() ? 1 : 0;
    taken.strikeOut = font.strikeOut() ? 1 : 0;
    *this = taken;
    return true;
}

double LogFont::PointSize() const { return (height == 0 ? kDefaultHeight : std::abs(height)) * 72.0 / 96.0; }
