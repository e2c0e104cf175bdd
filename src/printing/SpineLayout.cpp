#include "printing/SpineLayout.h"

#include "printing/SpineLabelStyle.h"

namespace SpineLayout {

QString Path() { return QStringLiteral("data/font.dat"); }
QString Template1() { return QStringLiteral("模板一"); }
QString Template2() { return QStringLiteral("模板二"); }

LayoutRecord Defaults()
{
    LayoutRecord layout = LayoutRecord::Defaults();
    const QString style = SpineLabelStyle::Names().first();
    const SpineLabelStyle::Lines descriptions = SpineLabelStyle::Descriptions(style);
    layout.SetText(StyleSlot, style);
    layout.SetText(UpperSlot, descriptions.upper);
    layout.SetText(LowerSlot, descriptions.lower);
    layout.SetText(TemplateSlot, Template1());
    return layout;
}

std::optional<LayoutRecord> Read()
{
    std::optional<LayoutRecord> layout = LayoutRecord::Read(Path());
    if (layout && !layout->PageSizeProblem().isEmpty())
        return std::nullopt;
    return layout;
}

}
