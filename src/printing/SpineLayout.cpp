#include "printing/SpineLayout.h"

#include "printing/SpineLabelStyle.h"

namespace SpineLayout {

QString Path() { return QStringLiteral("data/font.dat"); }
QString Template1() { return QStringLiteral("模板一"); }
QString Template2() { return QStringLiteral("模板二"); }

void SetStyle(LayoutRecord& layout, const QString& style)
{
    const SpineLabelStyle::Lines descriptions = SpineLabelStyle::Descriptions(style);
    layout.SetText(StyleSlot, style);
    layout.SetText(UpperSlot, descriptions.upper);
    layout.SetText(LowerSlot, descriptions.lower);
}

LayoutRecord Defaults()
{
    LayoutRecord layout = LayoutRecord::Defaults();
    SetStyle(layout, SpineLabelStyle::Names().first());
    layout.SetText(TemplateSlot, Template1());
    return layout;
}

std::optional<LayoutRecord> Read()
{
    std::optional<LayoutRecord> layout = LayoutRecord::Read(Path());
    if (!layout)
        return std::nullopt;
    if (!SpineLabelStyle::Names().contains(layout->Text(StyleSlot)))
        SetStyle(*layout, SpineLabelStyle::Names().first());
    if (layout->Text(TemplateSlot) != Template2())
        layout->SetText(TemplateSlot, Template1());
    return layout;
}

}
