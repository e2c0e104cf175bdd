#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>

class QPainter;
struct LogFont;

// One Code 128 symbol: its symbol values from the start character to the check character,
// or the reason why the text cannot be encoded. The stop character is implied.
class Code128Symbol {
public:
    static constexpr int kMaxData = 48;  // symbol characters between start and check

    static Code128Symbol Refused(QString reason);

    bool IsValid() const { return m_strRefusal.isEmpty(); }
    const QString& Refusal() const { return m_strRefusal; }
    // Start value, data values, check value.
    const quint8* Values() const { return m_values.data(); }
    int ValueCount() const { return m_nCount; }
    // Bars and spaces from the first bar of the start to the last bar of the stop.
    int ModuleCount() const { return IsValid() ? m_nCount * 11 + 13 : 0; }
    // The width digits ('1' to '4'), bar first; empty when refused.
    QByteArray Modules() const;

private:
    friend class CCode128;

    Code128Symbol() = default;
    explicit Code128Symbol(int start);
    // Appends a data value with its weight in the check sum; false when the symbol is full.
    bool Add(int value);
    void Finish();

    std::array<quint8, kMaxData + 2> m_values{};
    int m_nCount = 0;
    int m_nWeighted = 0;
    QString m_strRefusal;
};

// The Code 128 encoder of every barcode the program prints. Set A takes characters 0-95,
// set B 32-127, set C digits (an odd count ends with a switch to set B for the last
// digit). Anything else, more than 48 symbol characters or an unknown type is refused.
class CCode128 {
public:
    static constexpr int kStartA = 103;
    static constexpr int kStartB = 104;
    static constexpr int kStartC = 105;
    static constexpr int kStop = 106;

    // The bar and space widths of a symbol value, bar first ("212222" for 0, "2331112" stop).
    static const char* Pattern(int value);

    static Code128Symbol EncodeSetA(QStringView text);
    static Code128Symbol EncodeSetB(QStringView text);
    static Code128Symbol EncodeSetC(QStringView text);
    // "CODE128A", "CODE128B" (or empty), "CODE128C"; any other type is refused.
    static Code128Symbol Encode(QStringView text, QStringView type);

    // Width of the text's set B symbol in caller units; 0 when it cannot be encoded.
    static int GetWidthB(QStringView text, int moduleWidth);

    // Draws the symbol with its top-left bar corner at (x, y) in page pixels, each module a
    // whole number of device units, spaces painted white; with textLine the text is written
    // 2 pixels under the bars, centred under the symbol by its measured width (centred at x
    // when the text cannot be encoded and no bars are drawn).
    static void DrawBarcode(QPainter& painter, int x, int y, int moduleWidth, int barHeight, const QString& text,
                            const LogFont& font, QStringView type, bool textLine, double sx, double sy);
};
