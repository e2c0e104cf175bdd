#include "controls/SearchText.h"

namespace SearchText {

QString allText() { return QStringLiteral("(全部)"); }

QString emptyRefusal() { return QStringLiteral("请输入用查询信息！"); }

Filter read(const QString& editText, AllText all)
{
    if (editText.isEmpty())
        return {};
    return {true, all == AllText::EveryRow && editText == allText() ? QString() : editText};
}

}
