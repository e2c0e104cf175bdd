#pragma once

#include <QFont>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class QPainter;
struct LogFont;

// The reader printed on the front of a card, as the card print window lists it.
struct CardReaderInfo {
    QString m_strNumber;  // 编号
    QString m_strName;    // 姓名
    QString m_strSex;     // 性别
    QString m_strType;    // 类别
    QString m_strDept;    // 部门

    // The headings of the card print window's lists.
    static QString Headings();
    // Missing texts are empty.
    static CardReaderInfo FromTexts(const QStringList& texts);
    QStringList Texts() const;
};

// Draws reader cards (借阅证): the front with a reader's data and the barcode of the reader
// number, the back with the holder's rules, and the front of a custom card carrying a made-up
// number. Positions are card units from the card's corner (x, y) in page pixels, multiplied
// by the scales; point sizes convert at 120 dpi times the scale, so text and layout grow alike.
class CReaderCard {
public:
    // Where the reader number's barcode starts on the front, from the card's left edge.
    static constexpr int kFrontBarcodeLeft = 100;
    // Where the made-up number's barcode starts on a custom front.
    static constexpr int kCustomBarcodeLeft = 250;

    CReaderCard();
    virtual ~CReaderCard() = default;

    void SetInfo(const CardReaderInfo& info) { m_info = info; }
    void SetSize(int width, int height);
    void SetTitle(const QString& title) { m_strTitle = title; }

    void DrawFront(QPainter& painter, const LogFont& captionFont, int x, int y, double sx, double sy) const;
    void DrawBack(QPainter& painter, const LogFont& unused, int x, int y, double sx, double sy) const;
    void DrawCustom(QPainter& painter, const LogFont& captionFont, const QString& number, int x, int y, double sx,
                    double sy) const;

    // Where a character of a wrapped text is written: its index in the text and the top-left
    // corner of its place.
    struct PlacedCharacter {
        qsizetype index;
        QPoint at;
        bool operator==(const PlacedCharacter&) const = default;
    };
    // Places the characters of text from (x, y) in device units, one at a time: a wide
    // (double-byte) character advances `wide`, any other `narrow`, a tab four narrow widths
    // and is not written; a line break (CR LF counting once), or passing `right`, goes back to
    // x one line height lower. A character is written where it starts, so the one that passes
    // the limit still stands on its line; a limit narrower than a character keeps the place.
    static QList<PlacedCharacter> PlaceWrapped(const QString& text, int x, int y, int right, int lineHeight,
                                               int narrow, int wide);
    // Writes the text so placed with the painter's font, its average and its widest character
    // as the narrow and wide advances.
    static void DrawWrappedText(QPainter& painter, int x, int y, int right, int lineHeight, const QString& text);

    // The rules printed on every back.
    static QString Rules();

private:
    QFont PointFont(const QString& face, int points, double scale) const;
    // Text at card units (dx, dy) from the corner, running to the card's right and bottom edges.
    void DrawText(QPainter& painter, int x, int y, int dx, int dy, int flags, const QString& text, double sx,
                  double sy) const;
    // A pair of horizontal lines 5 units apart.
    void DrawRule(QPainter& painter, int x1, int x2, int y, double sx, double sy) const;

    CardReaderInfo m_info;
    int m_nWidth = 430;
    int m_nHeight = 250;
    QString m_strTitle;
};
