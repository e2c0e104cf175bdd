#pragma once

#include "printing/LogFont.h"

#include <QColor>
#include <QWidget>

#include <memory>

namespace Ui {
class LabelFontField;
}

// "字体设置:" of the layout settings windows: the sample "字体样式" in the labels' font and
// colour, "…" to choose the font and "颜色…" to choose the colour.
class LabelFontField : public QWidget {
    Q_OBJECT
public:
    explicit LabelFontField(QWidget* parent = nullptr);
    ~LabelFontField() override;

    void Set(const LogFont& font, const QColor& color);
    const LogFont& Font() const { return m_font; }
    const QColor& Color() const { return m_color; }

signals:
    void changed();

private slots:
    void OnFont();
    void OnColor();

private:
    void ShowSample();

    std::unique_ptr<Ui::LabelFontField> ui;
    LogFont m_font;
    QColor m_color = Qt::black;
};
