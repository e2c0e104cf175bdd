#include "printing/LabelFontField.h"

#include "ui_LabelFontField.h"

#include "controls/Prompter.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>

LabelFontField::LabelFontField(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::LabelFontField>())
{
    ui->setupUi(this);
    connect(ui->m_btnFont, &QPushButton::clicked, this, &LabelFontField::OnFont);
    connect(ui->m_btnColor, &QPushButton::clicked, this, &LabelFontField::OnColor);
    ShowSample();
}

LabelFontField::~LabelFontField() = default;

void LabelFontField::Set(const LogFont& font, const QColor& color)
{
    m_font = font;
    m_color = color;
    ShowSample();
    emit changed();
}

void LabelFontField::ShowSample()
{
    ui->m_editFontSample->setFont(m_font.ToQFont(1));
    QPalette palette = ui->m_editFontSample->palette();
    palette.setColor(QPalette::Text, m_color);
    ui->m_editFontSample->setPalette(palette);
}

void LabelFontField::OnFont()
{
    QFont font = m_font.ToQFont(1);
    // The dialog lists installed families: 宋体 is shown as the font that stands in for it.
    font.setFamily(QFontInfo(font).family());
    font.setPointSizeF(m_font.PointSize());
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, font, window(), QStringLiteral("字体"));
    if (!chosen)
        return;
    LogFont taken = m_font;
    if (!taken.TakeFrom(picked))
        return showMessage(window(), QStringLiteral("字体“%1”的名称不能保存在配置文件中！").arg(picked.family()));
    Set(taken, m_color);
}

void LabelFontField::OnColor()
{
    const QColor color = QColorDialog::getColor(m_color, window(), QStringLiteral("颜色"));
    if (color.isValid())
        Set(m_font, color);
}
