#pragma once

#include <QString>

// The layout files of the two barcode windows, in the program folder.
namespace BarcodeLayoutFile {
enum Mode { BookNumbers = 0, CustomCodes = 1 };

// "data/txm.dat" for book numbers, "data/txmzd.dat" for custom codes.
QString Path(int mode);
// Shown when a barcode window cannot read its layout and prints with the defaults.
QString UnreadableText();
}
