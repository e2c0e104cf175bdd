#pragma once

#include "printing/LayoutRecord.h"

#include <QString>

#include <optional>

// The spine label layout "data/font.dat": a layout record whose text slots hold the label
// style, the descriptions of its two lines, the template and the heading.
namespace SpineLayout {
enum Slot { StyleSlot = 0, UpperSlot = 1, LowerSlot = 2, TemplateSlot = 3, HeadingSlot = 4 };

QString Path();
QString Template1();  // "模板一"
QString Template2();  // "模板二"

// Stores the style's name and the descriptions of its two lines.
void SetStyle(LayoutRecord& layout, const QString& style);
// The "默认值" layout with 样式一 and 模板一: what the labels are laid out by when no file
// can be read, so that a page never prints white.
LayoutRecord Defaults();
// The file; a style that is none of the ten is read as 样式一 and a template other than
// 模板二 as 模板一 (files that never had them chosen). nullopt when it cannot be read.
std::optional<LayoutRecord> Read();
}
