#include "printing/CodeRun.h"

#include "core/NumberSequence.h"
#include "printing/Code128.h"
#include "printing/NumberInput.h"

namespace CodeRun {

Result Make(const QString& firstCode, const QString& countText)
{
    const int count = NumberInput::LeadingInt(countText).value_or(0);
    const Code128Symbol symbol = CCode128::EncodeSetB(firstCode);
    if (!symbol.IsValid())
        return {{}, QStringLiteral("不能生成条码：%1！").arg(symbol.Refusal())};
    const CodeParts parts = splitDigits(firstCode);
    QStringList codes{firstCode};
    // Counted as a digit string, so a number of any length keeps its zeros and never overflows.
    QString number = parts.digits;
    while (codes.size() < count) {
        number = nextNumberText(number);
        if (number.size() > parts.digits.size())
            break;
        if (codes.size() == kMaxCount)
            return {{}, QStringLiteral("个数不能超过%1！").arg(kMaxCount)};
        codes << parts.letters + number;
    }
    return {codes, {}};
}

}
