#include "MarcBuilder.h"

#include "catalogue/BookStore.h"
#include "marc/MarcReader.h"
#include "core/TextCodec.h"

#include <QtTest>

namespace {
const QString kToday = QStringLiteral("2017-04-11");

using Cells = QList<QPair<BookField, QString>>;

// A list row as one text: the fifteen cells joined by "|".
QString rowText(const Cells& cells)
{
    QStringList row(kBookFieldCount);
    for (const auto& [column, text] : cells)
        row[column] = text;
    row[kEntryDate] = kToday;
    return row.join(QLatin1Char('|'));
}

QStringList rowTexts(const QList<QStringList>& rows)
{
    QStringList texts;
    for (const QStringList& row : rows)
        texts << row.join(QLatin1Char('|'));
    return texts;
}

QStringList titles(const QList<QStringList>& rows)
{
    QStringList texts;
    for (const QStringList& row : rows)
        texts << row[kTitle];
    return texts;
}

QByteArray titled(const QByteArray& title) { return MarcBuilder().field("200", {{'a', title}}).record(); }

// A book with every wanted field, the title in the given bytes.
QByteArray fullBook(const QByteArray& title, const QByteArray& author)
{
    return MarcBuilder()
        .field("001", "012345")
        .field("010", {{'a', "7-02-000220-X"}, {'d', "CNY25.50"}})
        .field("200", MarcBuilder::subfields({{'a', title}, {'f', author}}, "1 "))
        .field("205", {{'a', "2nd"}})
        .field("210", {{'a', "Beijing"}, {'c', "PPH"}, {'d', "2005.01"}})
        .field("215", {{'a', "356p"}, {'d', "26cm"}})
        .field("690", {{'a', "I206.2"}, {'v', "4"}})
        .record();
}

QString fullRow(const QString& title, const QString& author)
{
    return rowText({{kIsbn, "702000220X"}, {kPrice, "25"}, {kTitle, title}, {kAuthor, author}, {kEdition, "2nd"},
                    {kPublisher, "PPH"}, {kPubDate, "2005.01"}, {kPages, "356p"}, {kFormat, "26cm"},
                    {kClassNo, "I206.2"}});
}

QByteArray withDigits(QByteArray record, qsizetype at, const QByteArray& digits)
{
    return record.replace(at, digits.size(), digits);
}
}

class TestMarcReader : public QObject {
    Q_OBJECT
private slots:
    // The builder that every other case relies on, against a record written out by hand.
    void builderWritesIso2709()
    {
        const QByteArray literal("00075nam0 2200049   450 "
                                 "010001800000"
                                 "200000700018"
                                 "\x1e"
                                 "  \x1f" "a7-02-000220-X\x1e"
                                 "1 \x1f" "aAB\x1e"
                                 "\x1d");
        const QByteArray built = MarcBuilder()
                                     .field("010", {{'a', "7-02-000220-X"}})
                                     .field("200", MarcBuilder::subfields({{'a', "AB"}}, "1 "))
                                     .record();
        QCOMPARE(literal.size(), 75);
        QCOMPARE(built, literal);
        QCOMPARE(rowTexts(MarcReader(literal).rows(kToday)), QStringList{rowText({{kIsbn, "702000220X"}, {kPrice, "0"}, {kTitle, "AB"}})});
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("every wanted tag to its column") << fullBook("Title", "Author") << QStringList{fullRow("Title", "Author")};
        QTest::newRow("price: CNY removed, whole number kept")
            << MarcBuilder().field("010", {{'d', "CNY25.50"}}).field("200", {{'a', "T"}}).record()
            << QStringList{rowText({{kPrice, "25"}, {kTitle, "T"}})};
        QTest::newRow("price read as atoi reads it")
            << MarcBuilder().field("010", {{'d', " CNY 030.9yuan"}}).field("200", {{'a', "T"}}).record()
                    + MarcBuilder().field("010", {{'d', "unknown"}}).field("200", {{'a', "U"}}).record()
            << QStringList{rowText({{kPrice, "30"}, {kTitle, "T"}}), rowText({{kPrice, "0"}, {kTitle, "U"}})};
        QTest::newRow("a full-width blank is no blank to atoi")
            << MarcBuilder().field("010", {{'d', toGbk(QStringLiteral("\u300025"))}}).field("200", {{'a', "T"}}).record()
            << QStringList{rowText({{kPrice, "0"}, {kTitle, "T"}})};
        QTest::newRow("no 010: isbn and price empty") << titled("T") << QStringList{rowText({{kTitle, "T"}})};
        QTest::newRow("010 without price: price 0")
            << MarcBuilder().field("010", {{'a', "978-7-5322"}}).field("200", {{'a', "T"}}).record()
                    + MarcBuilder().field("010", {{'d', "CNY"}}).field("200", {{'a', "U"}}).record()
            << QStringList{rowText({{kIsbn, "97875322"}, {kPrice, "0"}, {kTitle, "T"}}),
                           rowText({{kPrice, "0"}, {kTitle, "U"}})};
        QTest::newRow("no 200 $a: not listed")
            << MarcBuilder().field("200", {{'f', "Author only"}}).record() + titled("Next")
            << QStringList{rowText({{kTitle, "Next"}})};
        QTest::newRow("two $a take the first")
            << MarcBuilder().field("200", {{'a', "First"}, {'a', "Second"}, {'f', "F1"}, {'f', "F2"}}).record()
            << QStringList{rowText({{kTitle, "First"}, {kAuthor, "F1"}})};
        QTest::newRow("the first field of a tag counts")
            << MarcBuilder().field("200", {{'f', "Nobody"}}).field("200", {{'a', "Second field"}}).record()
            << QStringList{};
        QTest::newRow("indicators and other codes ignored")
            << MarcBuilder().field("200", MarcBuilder::subfields({{'A', "upper"}, {'g', "g"}, {'a', "T"}}, "ab")).record()
            << QStringList{rowText({{kTitle, "T"}})};
        const QString chinese = QStringLiteral("中国古代文学史");
        QTest::newRow("gbk: lengths count bytes") << fullBook(toGbk(chinese), toGbk(QStringLiteral("张三")))
                                                  << QStringList{fullRow(chinese, QStringLiteral("张三"))};
        QTest::newRow("utf-8 reads alike") << fullBook(chinese.toUtf8(), QStringLiteral("张三").toUtf8())
                                           << QStringList{fullRow(chinese, QStringLiteral("张三"))};
        QTest::newRow("one gbk record makes the file gbk")
            << titled("ascii") + titled(toGbk(QStringLiteral("图书")))
            << QStringList{rowText({{kTitle, "ascii"}}), rowText({{kTitle, QStringLiteral("图书")}})};
        MarcBuilder many;
        for (int i = 0; i < 59; ++i)
            many.field("300", {{'a', "note " + QByteArray::number(i)}});
        many.field("200", {{'a', "Last of sixty"}});
        QTest::newRow("sixty entries, 200 last") << many.record() << QStringList{rowText({{kTitle, "Last of sixty"}})};
        const QStringList abc{rowText({{kTitle, "A"}}), rowText({{kTitle, "B"}}), rowText({{kTitle, "C"}})};
        QTest::newRow("no line ends") << titled("A") + titled("B") + titled("C") << abc;
        QTest::newRow("a record a line") << titled("A") + "\n" + titled("B") + "\n" + titled("C") + "\n" << abc;
        QTest::newRow("crlf and empty lines") << "\r\n" + titled("A") + "\r\n" + titled("B") + "\r\n\r\n" + titled("C") + "\r\n"
                                              << abc;
        QTest::newRow("blanks before a record shift its leader")
            << titled("A") + "\r\n \t" + titled("B") + "\r\n" + titled("C") << QStringList{abc[0], abc[2]};
        QTest::newRow("empty file") << QByteArray() << QStringList{};

        // A field past the record's data reads as empty; the others as they stand.
        const QByteArray book = fullBook("Title", "Author");
        const auto fieldStart = [](int entry) { return 24 + 12 * entry + 7; };
        const auto fieldLength = [](int entry) { return 24 + 12 * entry + 3; };
        QTest::newRow("215 starting past the record")
            << withDigits(book, fieldStart(5), "00900")
            << QStringList{fullRow("Title", "Author").replace("|356p|26cm|", "|||")};
        const int lastLength = book.mid(fieldLength(6), 4).toInt();
        QTest::newRow("the last field one byte too long: still inside the line")
            << withDigits(book, fieldLength(6), MarcBuilder::number(lastLength + 1, 4))
            << QStringList{fullRow("Title", "Author")};
        QTest::newRow("the last field two bytes too long: past the line")
            << withDigits(book, fieldLength(6), MarcBuilder::number(lastLength + 2, 4))
            << QStringList{fullRow("Title", "Author").replace("|I206.2|", "||")};
        QTest::newRow("010 past the record: no isbn, price 0")
            << withDigits(book, fieldStart(1), "99999")
            << QStringList{fullRow("Title", "Author").replace("702000220X|", "|").replace("|25|", "|0|")};
        QTest::newRow("200 past the record: no title, not listed")
            << withDigits(book, fieldStart(2), "00900") + titled("Next") << QStringList{rowText({{kTitle, "Next"}})};
        // A line is read with its line end, one byte whether LF or CR LF, and a record
        // terminator at the line's end leaves the line whole: a field may reach over both.
        const QByteArray reachesLineEnd = withDigits(book, fieldLength(6), MarcBuilder::number(lastLength + 2, 4));
        QTest::newRow("the last field over the terminator into the LF") << reachesLineEnd + "\n" << QStringList{fullRow("Title", "Author")};
        QTest::newRow("the last field over the terminator into the CR LF")
            << reachesLineEnd + "\r\n" << QStringList{fullRow("Title", "Author")};
        const QByteArray pastLineEnd = withDigits(book, fieldLength(6), MarcBuilder::number(lastLength + 3, 4));
        QTest::newRow("the last field past the LF") << pastLineEnd + "\n"
                                                    << QStringList{fullRow("Title", "Author").replace("|I206.2|", "||")};
        QTest::newRow("the last field past the CR LF")
            << pastLineEnd + "\r\n" << QStringList{fullRow("Title", "Author").replace("|I206.2|", "||")};
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        QCOMPARE(rowTexts(MarcReader(file).rows(kToday)), rows);
    }

    // A record a line, read as far as its leader's base address and directory take it: the
    // record length and the terminators are not looked at; only lines too short for a record,
    // or whose data would start past their end, are passed over.
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("titles");

        const QByteArray before = titled("Before") + "\r\n";
        const QByteArray after = titled("After") + "\r\n";
        const QByteArray bad = fullBook("Bad", "Bad");
        const qsizetype base = bad.indexOf('\x1e') + 1;
        const QStringList listed{"Before", "Bad", "After"};
        const QStringList passed{"Before", "After"};
        const auto between = [&](const QByteArray& record) { return before + record + "\r\n" + after; };

        QTest::newRow("length one too big") << between(withDigits(bad, 0, MarcBuilder::number(bad.size() + 1, 5)))
                                            << listed;
        QTest::newRow("length one too small") << between(withDigits(bad, 0, MarcBuilder::number(bad.size() - 1, 5)))
                                              << listed;
        QTest::newRow("letters in the length") << between(withDigits(bad, 2, "x")) << listed;
        QTest::newRow("no record terminator") << between(bad.chopped(1)) << listed;
        QTest::newRow("no terminators, no line ends: the next records go with it")
            << titled("Before").chopped(1) + titled("Lost") + titled("After") << QStringList{"Before", "After"};
        QTest::newRow("directory without its terminator") << between(withDigits(bad, base - 1, "0")) << listed;
        QTest::newRow("letters in the base address read as a number: 0, no directory")
            << between(withDigits(bad, 12, "O")) << passed;
        QTest::newRow("base address 20: no directory") << between(withDigits(bad, 12, "00020")) << passed;
        QTest::newRow("base address at the line's end")
            << between(withDigits(bad, 12, MarcBuilder::number(bad.size() + 1, 5))) << passed;
        QTest::newRow("base address inside the line end")
            << between(withDigits(bad, 12, MarcBuilder::number(bad.size(), 5))) << passed;
        QTest::newRow("too short for a record") << between("0012345678901") << passed;
        QTest::newRow("file cut inside its last record") << before + after + bad.left(bad.size() / 2) << passed;
        QTest::newRow("a start before the line reads as empty")
            << between(withDigits(bad, 24 + 2 * 12 + 7, "-9999")) << passed;
        // Numbers keep their sign, as atoi reads them.
        QTest::newRow("a negative base address: no directory") << between(withDigits(bad, 12, "-0109")) << passed;
        QTest::newRow("a negative field length reads as empty") << between(withDigits(bad, 24 + 2 * 12 + 3, "-025")) << passed;
        const QByteArray twoFields = MarcBuilder().field("300", {{'a', "Alpha"}}).field("200", {{'a', "Beta"}}).record();
        QTest::newRow("a start before the data reads from there")
            << between(withDigits(twoFields, 24 + 12 + 7, "-0001")) << QStringList{"Before", "Alp", "After"};
        // The file is read to its end, also past a byte 0x1A, where Windows stops reading text.
        QTest::newRow("a byte 0x1A is data")
            << between(MarcBuilder().field("300", {{'a', "\x1A"}}).field("200", {{'a', "Mid"}}).record())
            << QStringList{"Before", "Mid", "After"};
        QByteArray longTitle(9000, 'L');
        QTest::newRow("a record longer than 7,999 bytes is read whole")
            << MarcBuilder().field("300", {{'a', longTitle}}).field("200", {{'a', "Long"}}).record() << QStringList{"Long"};
    }
    void damaged()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, titles);
        QCOMPARE(::titles(MarcReader(file).rows(kToday)), titles);
    }
};

QTEST_APPLESS_MAIN(TestMarcReader)
#include "test_marcreader.moc"
