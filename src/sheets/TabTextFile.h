#pragma once

#include <QSaveFile>
#include <QStringList>

// A text file of lines of cells separated by TAB, each line ended by CR LF, in GBK, as the
// other schools' installations write and read them. A TAB or a line break inside a value
// becomes a blank, so that it cannot split a cell or a line. The lines go to a temporary
// file that takes the target's place only on commit(): a failure leaves no half file.
class TabTextFile {
public:
    explicit TabTextFile(const QString& path);

    bool open();
    // trimEnd drops the white space that ends the line (empty trailing cells too).
    void writeLine(const QStringList& cells, bool trimEnd = false);
    // False when any line could not be written; the target is then untouched.
    bool commit();
    // Drops what was written; the target stays as it was.
    void discard();
    QString errorString() const { return m_file.errorString(); }

    static QString cellText(QString value);

private:
    QSaveFile m_file;
    bool m_ok = true;
};

class SheetSource;
// Writes every row of the sheet as a line of its cells' texts: the first (the header) with
// a TAB after each name, the others with the line's end trimmed.
bool writeTabText(const QString& path, const SheetSource& sheet, QString* error);
