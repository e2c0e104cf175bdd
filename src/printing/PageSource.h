#pragma once

#include <QSize>
#include <QStringList>

class QPainter;

// The pages a print window previews and prints. Page numbers count from 1; scales are
// device units per page pixel (1 on the preview, 5 on a 600-dpi printer).
class PageSource {
public:
    // Barcode and card pages: A4 at 120 pixels per inch.
    static constexpr int kPageWidth = 991;
    static constexpr int kPageHeight = 1403;

    virtual ~PageSource() = default;
    virtual int PageCount() const = 0;
    virtual QSize PageSize() const { return {kPageWidth, kPageHeight}; }
    // Fills the page white and draws its items.
    virtual void DrawPage(QPainter& painter, int page, double sx, double sy) const = 0;

protected:
    // Pages of `perPage` items (at least 1) that hold `items`, rounded up; at least 1.
    static int PagesFor(qsizetype items, int perPage);
};

// Pages that show a list of codes, a fixed number to a page, each drawn as a barcode.
class CodePages : public PageSource {
public:
    void SetCodes(QStringList codes) { m_codes = std::move(codes); }
    const QStringList& Codes() const { return m_codes; }
    virtual int CodesPerPage() const = 0;
    // The room a symbol has beside its neighbours, in page pixels; 0 when it is not limited.
    virtual int CodePitch() const { return 0; }

    // Codes / codes per page, rounded up; at least 1.
    int PageCount() const override;
    QStringList CodesOfPage(int page) const;

private:
    QStringList m_codes;
};
