#include "printing/CodeRun.h"

#include "core/NumberSequence.h"
#include "printing/Code128.h"
#include "printing/NumberInput.h"

namespace CodeRun {

Result Make(const QString& firstCode, const QString& countText)
{
    const std::optional<int> count = NumberInput::LeadingInt(countText);
    if (!count)
        return {{}, QStringLiteral("个数必须是数字！")};
    if (*count > kMaxCount)
        return {{}, QStringLiteral("个数不能超过%1！").arg(kMaxCount)};
    const Code128Symbol symbol = CCode128::EncodeSetB(firstCode);
    if (!symbol.IsValid())
        return {{}, QStringLiteral("不能生成条码：%1！").arg(symbol.Refusal())};
    QStringList codes{firstCode};
    while (codes.size() < *count) {
        const QString next = nextNumberText(codes.last());
        if (next.size() > firstCode.size())
            break;
        codes << next;
    }
    return {codes, {}};
}

}
