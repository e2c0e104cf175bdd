#include "printing/LayoutRecord.h"

#include "printing/GbkText.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <initializer_list>
#include <cstring>

namespace {
constexpr int kFontOffset = 168;
constexpr int kColorOffset = 228;

struct Range {
    const char16_t* name;
    double low;
    double high;
};

QString outOfRange(const Range& range)
{
    return QStringLiteral("%1应在%2到%3之间！").arg(QString::fromUtf16(range.name)).arg(range.low).arg(range.high);
}

bool within(double value, const Range& range) { return std::isfinite(value) && value >= range.low && value <= range.high; }

QString firstOutOfRange(std::initializer_list<std::pair<double, Range>> fields)
{
    for (const auto& [value, range] : fields)
        if (!within(value, range))
            return outOfRange(range);
    return {};
}
}

LayoutRecord::LayoutRecord() : m_bytes(kSize, '\0') {}

LayoutRecord LayoutRecord::Defaults()
{
    LayoutRecord r;
    r.SetText(PaperSlot, QStringLiteral("A4"));
    r.SetText(UpperSlot, QStringLiteral("分类号"));
    r.SetText(LowerSlot, QStringLiteral("复本号"));
    r.SetText(TitleSlot, QStringLiteral("学校图书馆"));
    r.SetTopMargin(0);
    r.SetLeftMargin(0);
    r.SetRowGap(1.10);
    r.SetColumnGap(1.00);
    r.SetRows(10);
    r.SetColumns(5);
    r.SetPageHeight(297);
    r.SetPageWidth(210);
    r.SetLabelHeight(27);
    r.SetLabelWidth(40);
    r.SetFont(LogFont());
    r.SetColor(Qt::black);
    return r;
}

std::optional<LayoutRecord> LayoutRecord::FromBytes(const QByteArray& bytes)
{
    if (bytes.size() < kSize)
        return std::nullopt;
    LayoutRecord r;
    r.m_bytes = bytes.left(kSize);
    if (!r.RangeProblem().isEmpty())
        return std::nullopt;
    return r;
}

std::optional<LayoutRecord> LayoutRecord::Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return FromBytes(file.read(kSize));
}

bool LayoutRecord::Write(const QString& path) const
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(m_bytes) == kSize && file.commit();
}

QString LayoutRecord::Text(int slot) const { return zeroTerminatedGbk(m_bytes.constData() + slot * kSlotSize, kSlotSize); }

bool LayoutRecord::SetText(int slot, const QString& text)
{
    if (!SlotTextProblem(text).isEmpty())
        return false;
    QByteArray bytes;
    encodeGbk(text, &bytes);
    // Copied as a C string: the bytes behind the terminating zero stay as stored.
    m_bytes.replace(slot * kSlotSize, bytes.size() + 1, bytes + '\0');
    return true;
}

QString LayoutRecord::SlotTextProblem(const QString& text)
{
    QByteArray bytes;
    if (!encodeGbk(text, &bytes))
        return QStringLiteral("含有不能保存的字符");
    if (bytes.size() > kSlotSize - 1)
        return QStringLiteral("不能超过%1个字节（一个汉字两个字节）").arg(kSlotSize - 1);
    return {};
}

LogFont LayoutRecord::Font() const { return LogFont::FromBytes(m_bytes.constData() + kFontOffset); }

void LayoutRecord::SetFont(const LogFont& font) { font.WriteTo(m_bytes.data() + kFontOffset); }

QColor LayoutRecord::Color() const
{
    const auto* c = reinterpret_cast<const unsigned char*>(m_bytes.constData() + kColorOffset);
    return QColor(c[0], c[1], c[2]);
}

void LayoutRecord::SetColor(const QColor& color)
{
    const char rgb0[4] = {static_cast<char>(color.red()), static_cast<char>(color.green()),
                          static_cast<char>(color.blue()), 0};
    m_bytes.replace(kColorOffset, 4, rgb0, 4);
}

QString LayoutRecord::RangeProblem() const
{
    if (Rows() < 1)
        return QStringLiteral("标签行数不能小于1！");
    if (Columns() < 1)
        return QStringLiteral("标签列数不能小于1！");
    return firstOutOfRange({{Font().height, {u"字体高度", -1000, 1000}}});
}

QString LayoutRecord::PageSizeProblem() const
{
    return firstOutOfRange({{PageHeight(), {u"纸张高度", 1, 1000}}, {PageWidth(), {u"纸张宽度", 1, 1000}}});
}

double LayoutRecord::Double(int offset) const
{
    const quint64 bits = qFromLittleEndian<quint64>(m_bytes.constData() + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

qint32 LayoutRecord::Int(int offset) const { return qFromLittleEndian<qint32>(m_bytes.constData() + offset); }

void LayoutRecord::SetDouble(int offset, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, m_bytes.data() + offset);
}

void LayoutRecord::SetInt(int offset, qint32 value) { qToLittleEndian(value, m_bytes.data() + offset); }
