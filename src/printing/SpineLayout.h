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

// The "默认值" layout with 样式一 and 模板一, which a new program folder starts with.
LayoutRecord Defaults();
// The file; nullopt when it is missing, short, or holds a layout that cannot be laid out
// (LayoutRecord::RangeProblem, PageSizeProblem).
std::optional<LayoutRecord> Read();
}
