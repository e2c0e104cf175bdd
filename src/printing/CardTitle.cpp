#include "printing/CardTitle.h"

#include "core/IniFile.h"
#include "core/TextCodec.h"
#include "printing/GbkText.h"

namespace CardTitle {
namespace {
const QString kSection = QStringLiteral("Title");
const QString kKey = QStringLiteral("m_title");
}

QString Read(const QString& iniPath)
{
    QByteArray bytes;
    const QString title = IniFile::read(iniPath, kSection, kKey);
    if (!encodeGbk(title, &bytes))
        return title.left(kMaxBytes / 2);
    return fromGbk(gbkPrefix(bytes, kMaxBytes));
}

bool Write(const QString& iniPath, const QString& title) { return IniFile::write(iniPath, kSection, kKey, title); }

QString Problem(const QString& title)
{
    QByteArray bytes;
    if (!encodeGbk(title, &bytes))
        return QStringLiteral("标题含有不能保存的字符！");
    if (bytes.size() > kMaxBytes)
        return QStringLiteral("标题不能超过%1个字节（一个汉字两个字节）！").arg(kMaxBytes);
    return {};
}

}
