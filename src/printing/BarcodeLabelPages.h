#pragma once

#include "printing/LabelGrid.h"
#include "printing/LayoutRecord.h"
#include "printing/PageSource.h"

// Pages of barcode labels in the grid of a barcode layout file: each label shows the
// layout's title over the code's barcode. An empty code leaves its cell blank.
class BarcodeLabelPages : public CodePages {
public:
    explicit BarcodeLabelPages(const LayoutRecord& layout = LayoutRecord::Defaults());

    void SetLayout(const LayoutRecord& layout);
    // Takes the layout of the barcode window's file (a BarcodeLayoutFile::Mode), or the
    // defaults when it cannot be read; false then.
    bool ReadLayout(int mode);
    const LayoutRecord& Layout() const { return m_layout; }
    const LabelGrid& Grid() const { return m_grid; }

    int CodesPerPage() const override { return m_grid.LabelsPerPage(); }
    int CodePitch() const override { return m_grid.Pitch(); }
    void DrawPage(QPainter& painter, int page, double sx, double sy) const override;

private:
    LayoutRecord m_layout;
    LabelGrid m_grid;
};
