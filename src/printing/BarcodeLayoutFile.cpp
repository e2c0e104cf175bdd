#include "printing/BarcodeLayoutFile.h"

namespace BarcodeLayoutFile {

QString Path(int mode)
{
    return mode == CustomCodes ? QStringLiteral("data/txmzd.dat") : QStringLiteral("data/txm.dat");
}

QString UnreadableText() { return QStringLiteral("打开条码配置文件出错！"); }

}
