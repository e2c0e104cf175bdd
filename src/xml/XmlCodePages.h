#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

// Encoding names as documents declare them, and conversion between encodings. Documents are
// held in UTF-8, the code page this system works in. Code pages are converted through iconv,
// and where iconv lacks one through Qt's own converters (ICU's, on this platform).
namespace XmlCodePages {
constexpr int kUtf8 = 65001;

// The Windows code page an encoding name stands for: 0 for an empty name, -1 for a name
// that is not in the table.
int codePage(const char* name);

// One text converted piece by piece (a file read or written block by block): the shift state
// of stateful encodings carries over, and a character cut at the end of a piece waits for the
// next.
class Converter {
public:
    virtual ~Converter() = default;
    // Appends the conversion of the text's next piece to `out`. Characters the target lacks,
    // and bytes that are not valid in the source, become '?' and set `lossy`.
    virtual void convert(QByteArrayView in, QByteArray& out, bool& lossy) = 0;
    // Ends the text: appends what still waits, and what returns a stateful encoding to its
    // initial state. False when the text ended inside a character, which then becomes '?'.
    // The converter can then start a new text.
    virtual bool finish(QByteArray& out, bool& lossy) = 0;
};

// From text in the code page (0 counts as UTF-8) to UTF-8, and back. Null when neither iconv
// nor Qt converts the page: text in it is then taken as it stands, as text in an unknown
// encoding is.
std::unique_ptr<Converter> decoder(int codePage);
std::unique_ptr<Converter> encoder(int codePage);
}
