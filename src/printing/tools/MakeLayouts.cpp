// Writes the layout files every new program folder starts from, so the barcode and spine
// label windows open on their "默认" layouts:
//   schoollib-mklayouts folder      (writes folder/txm.dat, txmzd.dat and font.dat)
#include "printing/BarcodeLayoutFile.h"
#include "printing/LayoutRecord.h"
#include "printing/SpineLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {
bool write(const QDir& folder, const QString& programPath, const LayoutRecord& layout)
{
    const QString path = folder.filePath(QFileInfo(programPath).fileName());
    if (layout.Write(path))
        return true;
    std::fprintf(stderr, "schoollib-mklayouts: cannot write %s\n", qPrintable(path));
    return false;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: schoollib-mklayouts folder\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "schoollib-mklayouts: cannot create %s\n", argv[1]);
        return 1;
    }
    const LayoutRecord barcodes = LayoutRecord::Defaults();
    const bool written = write(folder, BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers), barcodes)
        && write(folder, BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes), barcodes)
        && write(folder, SpineLayout::Path(), SpineLayout::Defaults());
    return written ? 0 : 1;
}
