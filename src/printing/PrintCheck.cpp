#include "printing/PrintCheck.h"

#include "printing/Code128.h"

namespace PrintCheck {
namespace {
constexpr int kListed = 10;
// The widest printed module, 1.2 page pixels, as a fraction.
constexpr int kModuleTimes = 6;
constexpr int kModuleOver = 5;

QString Listing(const QStringList& codes)
{
    QString text = codes.mid(0, kListed).join(QLatin1Char('\n'));
    if (codes.size() > kListed)
        text += QStringLiteral("\n……共%1个").arg(codes.size());
    return text;
}
}

QStringList Unencodable(const QStringList& codes)
{
    QStringList refused;
    for (const QString& code : codes)
        if (!code.isEmpty() && !CCode128::EncodeSetB(code).IsValid())
            refused << code;
    return refused;
}

QStringList TooWide(const QStringList& codes, int pitch)
{
    QStringList wide;
    for (const QString& code : codes) {
        const int modules = CCode128::EncodeSetB(code).ModuleCount();
        if (!code.isEmpty() && modules > 0 && (modules + kQuietModules) * kModuleTimes > pitch * kModuleOver)
            wide << code;
    }
    return wide;
}

QString Question(const QStringList& codes, int pitch)
{
    QStringList parts;
    const QStringList refused = Unencodable(codes);
    if (!refused.isEmpty())
        parts << QStringLiteral("以下编号不能编成条码，只印文字：\n") + Listing(refused);
    const QStringList wide = pitch > 0 ? TooWide(codes, pitch) : QStringList();
    if (!wide.isEmpty())
        parts << QStringLiteral("以下条码加上空白比标签间距宽，可能无法扫描：\n") + Listing(wide);
    if (parts.isEmpty())
        return {};
    return parts.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n仍然打印吗？");
}

}
