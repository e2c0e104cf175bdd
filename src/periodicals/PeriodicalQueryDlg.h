#pragma once

#include "controls/QueryTabDlg.h"

// "期刊信息查询": the periodical stock page by page, the current loans, the summaries and
// the losses, each on its own tab and each keeping its list while another is shown.
class CPeriodicalQueryDlg : public CQueryTabDlg {
    Q_OBJECT
public:
    explicit CPeriodicalQueryDlg(QWidget* parent = nullptr);
};
