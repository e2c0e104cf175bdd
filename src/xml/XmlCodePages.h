#pragma once

#include <QByteArray>

// Encoding names as documents declare them, and conversion between encodings through
// iconv. Documents are held in UTF-8, the code page this system works in.
namespace XmlCodePages {
constexpr int kUtf8 = 65001;

// The Windows code page an encoding name stands for: 0 for an empty name, -1 for a name
// that is not in the table.
int codePage(const char* name);
// The iconv name of a code page (0 counts as UTF-8); null when iconv cannot convert it, and
// text in it is then taken as it stands, as text in an unknown encoding is.
const char* iconvName(int codePage);
// Converts between two iconv encodings; characters the target lacks (or bytes that are not
// valid in the source) become '?' and set `lossy`. False when iconv cannot convert at all.
bool convert(const QByteArray& in, const char* from, const char* to, QByteArray& out, bool& lossy);

// A conversion that goes on over several pieces of one text (a file read or written block by
// block): the shift state of stateful encodings carries over, and a character cut at the end
// of a piece can wait for the next.
class Converter {
public:
    Converter(const char* from, const char* to);
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool isValid() const;
    // Appends the conversion of `in` to `out` as convert() does. Unless `final`, a character
    // cut off at the end of `in` is left unconverted; returns how many bytes were left.
    int convert(const char* in, int length, QByteArray& out, bool& lossy, bool final);
    // Ends the text: the sequence that returns a stateful encoding to its initial state.
    void finish(QByteArray& out);

private:
    void* m_cd;
    QByteArray m_from;
    QByteArray m_replacement;
};
}
