#pragma once

#include "printing/LogFont.h"

#include <QByteArray>
#include <QColor>
#include <QString>

#include <optional>

// A layout file of the label windows ("data/txm.dat", "data/txmzd.dat", "data/font.dat"):
// 232 little-endian bytes, five 20-byte GBK text slots, 4 padding bytes, margins and gaps
// (mm, doubles), rows and columns, page size (mm, doubles), label size (whole mm), the
// label font and the text colour. The record is kept as the bytes it was read from and
// every setter writes its own field only, so bytes nobody edits (slot 3 of the barcode
// files, the padding, font fields the dialog does not know) are written back as read.
class LayoutRecord {
public:
    static constexpr int kSize = 232;
    static constexpr int kSlotSize = 20;
    enum Slot { PaperSlot = 0, UpperSlot = 1, LowerSlot = 2, TemplateSlot = 3, TitleSlot = 4 };

    // Every byte zero.
    LayoutRecord();
    // The layout of the "默认" button: A4, 10 x 5 labels of 40 x 27 mm, 宋体 14 px, black.
    static LayoutRecord Defaults();
    // A record from a file's bytes; nullopt when they are short or cannot be laid out
    // (RangeProblem).
    static std::optional<LayoutRecord> FromBytes(const QByteArray& bytes);
    const QByteArray& Bytes() const { return m_bytes; }

    // Reads a layout file; nullopt when it is missing, short or cannot be laid out.
    static std::optional<LayoutRecord> Read(const QString& path);
    // Writes the file through a temporary name; false when that failed (the old file stays).
    bool Write(const QString& path) const;

    // A slot holds at most 19 GBK bytes; a longer stored text is cut on a character boundary.
    QString Text(int slot) const;
    // False (and nothing changed) for a text longer than 19 GBK bytes or without a GBK form.
    bool SetText(int slot, const QString& text);
    // Why a text does not fit a slot; empty when it fits.
    static QString SlotTextProblem(const QString& text);

    double TopMargin() const { return Double(104); }
    double LeftMargin() const { return Double(112); }
    double RowGap() const { return Double(120); }
    double ColumnGap() const { return Double(128); }
    int Rows() const { return Int(136); }
    int Columns() const { return Int(140); }
    double PageHeight() const { return Double(144); }
    double PageWidth() const { return Double(152); }
    int LabelHeight() const { return Int(160); }
    int LabelWidth() const { return Int(164); }
    void SetTopMargin(double mm) { SetDouble(104, mm); }
    void SetLeftMargin(double mm) { SetDouble(112, mm); }
    void SetRowGap(double mm) { SetDouble(120, mm); }
    void SetColumnGap(double mm) { SetDouble(128, mm); }
    void SetRows(int rows) { SetInt(136, rows); }
    void SetColumns(int columns) { SetInt(140, columns); }
    void SetPageHeight(double mm) { SetDouble(144, mm); }
    void SetPageWidth(double mm) { SetDouble(152, mm); }
    void SetLabelHeight(int mm) { SetInt(160, mm); }
    void SetLabelWidth(int mm) { SetInt(164, mm); }

    LogFont Font() const;
    void SetFont(const LogFont& font);
    QColor Color() const;
    void SetColor(const QColor& color);

    // The first field that cannot be laid out, as a message naming it; empty when every field
    // can: rows and columns below 1 (labels per page divides every page count) and font
    // heights past 1000 (drawn at the printer's scale they would overflow).
    QString RangeProblem() const;
    // For layouts drawn on a page of their own size: a page height or width outside 1 to
    // 1000 mm (0 divides the fitted preview by zero; a larger page's picture outgrows memory).
    QString PageSizeProblem() const;

private:
    double Double(int offset) const;
    qint32 Int(int offset) const;
    void SetDouble(int offset, double value);
    void SetInt(int offset, qint32 value);

    QByteArray m_bytes;
};
