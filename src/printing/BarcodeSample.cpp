#include "printing/BarcodeSample.h"

#include "printing/BarcodePainter.h"

#include <QPainter>

BarcodeSample::BarcodeSample(QWidget* parent) : QWidget(parent) {}

void BarcodeSample::SetCaption(const QString& caption)
{
    m_strCaption = caption;
    update();
}

void BarcodeSample::SetLabelFont(const LogFont& font)
{
    m_font = font;
    update();
}

void BarcodeSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    CBarcodePainter::DrawCode128(painter, m_strCaption, m_font, QStringLiteral("1234567890"), kLeft, 0, 1, 1);
}
