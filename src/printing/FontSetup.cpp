#include "printing/FontSetup.h"

#include <QFont>

#include <array>
#include <utility>

namespace {
const std::array<std::pair<const char16_t*, const char16_t*>, 3> kFaces = {{
    {u"宋体", u"AR PL UMing CN"},
    {u"黑体", u"WenQuanYi Zen Hei"},
    {u"隶书", u"AR PL UKai CN"},
}};
}

void setUpFonts()
{
    for (const auto& [windows, installed] : kFaces)
        QFont::insertSubstitution(QString::fromUtf16(windows), QString::fromUtf16(installed));
}

QString windowsFaceName(const QString& family)
{
    for (const auto& [windows, installed] : kFaces)
        if (family.compare(QString::fromUtf16(installed), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(windows);
    return family;
}
