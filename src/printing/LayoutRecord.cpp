#include "printing/LayoutRecord.h"

#include "printing/GbkText.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
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

constexpr double kA4Width = 210;
constexpr double kA4Height = 297;

// What `count` labels of `size` mm with `gap` mm between them, after `margin`, need.
double extent(double margin, int count, double size, double gap) { return margin + count * size + (count - 1) * gap; }

QString overflow(const char16_t* what, int count, const char16_t* side, double needed, double page)
{
    if (needed <= page + 1e-9)
        return {};
    return QStringLiteral("%1%2标签连同边距共需%3毫米，超出纸张%4%5毫米！")
        .arg(count)
        .arg(QString::fromUtf16(what))
        .arg(needed, 0, 'f', 2)
        .arg(QString::fromUtf16(side))
        .arg(page);
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
    const Range rows{u"标签行数", 1, 100}, columns{u"标签列数", 1, 100};
    const Range labelWidth{u"标签宽度", 1, 300}, labelHeight{u"标签高度", 1, 300};
    const Range top{u"上边距", 0, 300}, left{u"左边距", 0, 300}, rowGap{u"行间距", 0, 300}, columnGap{u"列间距", 0, 300};
    const Range pageHeight{u"纸张高度", 1, 1000}, pageWidth{u"纸张宽度", 1, 1000};
    // Heights are negated and scaled when drawn: a far-off number there would overflow.
    const Range fontHeight{u"字体高度", -1000, 1000};
    const std::pair<double, const Range*> fields[] = {
        {PageHeight(), &pageHeight}, {PageWidth(), &pageWidth}, {Rows(), &rows},         {Columns(), &columns},
        {TopMargin(), &top},         {LeftMargin(), &left},     {RowGap(), &rowGap},     {ColumnGap(), &columnGap},
        {LabelWidth(), &labelWidth}, {LabelHeight(), &labelHeight}, {Font().height, &fontHeight}};
    for (const auto& [value, range] : fields)
        if (!within(value, *range))
            return outOfRange(*range);
    return {};
}

QString LayoutRecord::WidthOverflow() const
{
    return overflow(u"列", Columns(), u"宽度", extent(LeftMargin(), Columns(), LabelWidth(), ColumnGap()),
                    std::min(PageWidth(), kA4Width));
}

QString LayoutRecord::HeightOverflow() const
{
    return overflow(u"行", Rows(), u"高度", extent(TopMargin(), Rows(), LabelHeight(), RowGap()),
                    std::min(PageHeight(), kA4Height));
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
