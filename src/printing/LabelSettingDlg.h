#pragma once

#include "controls/EnterKeyFilter.h"
#include "printing/LayoutRecord.h"
#include "printing/SpineLabelStyle.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class CLabelSettingDlg;
}

// "书标设置": edits the spine label layout "data/font.dat": the page and label grid, the
// font and colour, the label style, the template and (for 模板二) the heading, with a
// sketch of the label's lines. "确　定" writes the file and ends with OK.
class CLabelSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLabelSettingDlg(QWidget* parent = nullptr);
    ~CLabelSettingDlg() override;

private slots:
    void OnOK();
    void OnDefault();
    void OnStyleChanged();
    void OnTemplateChanged();
    void ShowSketch();

private:
    void OnInitDialog();
    QString TemplateName() const;
    std::optional<LayoutRecord> TakeFields();

    std::unique_ptr<Ui::CLabelSettingDlg> ui;
    // Enter in a field moves to the next one; on a button it presses that button.
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    // What the file held (every byte zero when it could not be read).
    LayoutRecord m_record;
    // What the sketch shows of the two lines and the file keeps beside the style: set by a
    // choice of style, or by "默认值" whatever the style.
    SpineLabelStyle::Lines m_descriptions;
};
