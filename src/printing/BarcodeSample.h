#pragma once

#include "printing/LogFont.h"

#include <QWidget>

// The live sample of the barcode settings: one label with the typed title over the code
// "1234567890", drawn as it will print at scale 1.
class BarcodeSample : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeft = 20;

    explicit BarcodeSample(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    const QString& Caption() const { return m_strCaption; }
    void SetLabelFont(const LogFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_strCaption;
    LogFont m_font;
};
