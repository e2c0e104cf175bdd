#include "core/IniFile.h"
#include "core/TextCodec.h"

#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readsGbkAndUtf8_data();
    void readsGbkAndUtf8();
    void saveKeepsCommentsAndOrder();
    void addsMissingSectionAndKey();
    void missingFileGivesFallbackAndIsCreatedOnWrite();
    void unwritablePlaceFails();
    void lineBreakInValueStaysInItsEntry();

private:
    QString writeFile(const QByteArray& bytes);
    QByteArray readFile() const;
    QTemporaryDir m_dir;
    QString m_path;
};

QString TestIniFile::writeFile(const QByteArray& bytes)
{
    m_path = m_dir.filePath(QStringLiteral("setup.ini"));
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return m_path;
}

QByteArray TestIniFile::readFile() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestIniFile::readsGbkAndUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("[Unit]\r\nname = 第一中学\r\n[单位]\r\n报表人=张三\r\n");
    QTest::newRow("gbk with CRLF") << toGbk(text);
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void TestIniFile::readsGbkAndUtf8()
{
    QFETCH(QByteArray, bytes);
    IniFile ini(writeFile(bytes));
    QCOMPARE(ini.value("Unit", "name"), QStringLiteral("第一中学"));
    QCOMPARE(ini.value("unit", "NAME"), QStringLiteral("第一中学"));
    QCOMPARE(ini.value("单位", "报表人"), QStringLiteral("张三"));
    QCOMPARE(ini.value("Unit", "missing", "x"), QStringLiteral("x"));
}

void TestIniFile::saveKeepsCommentsAndOrder()
{
    writeFile(toGbk(QStringLiteral("; 本校设置\r\n[B]\r\nk2=旧值\r\n# note\r\nk1=1\r\n\r\n[A]\r\nx=y\r\n")));
    QVERIFY(IniFile::write(m_path, "B", "k2", QStringLiteral("新值")));
    QCOMPARE(QString::fromUtf8(readFile()),
             QStringLiteral("; 本校设置\n[B]\nk2=新值\n# note\nk1=1\n\n[A]\nx=y\n"));
}

void TestIniFile::addsMissingSectionAndKey()
{
    writeFile("[A]\nx=1\n\n[B]\ny=2\n");
    IniFile ini(m_path);
    ini.setValue("A", "z", QStringLiteral("新"));
    ini.setValue("C", "w", QStringLiteral("3"));
    QVERIFY(ini.save());
    QCOMPARE(QString::fromUtf8(readFile()), QStringLiteral("[A]\nx=1\nz=新\n\n[B]\ny=2\n[C]\nw=3\n"));
    QCOMPARE(IniFile::read(m_path, "A", "z"), QStringLiteral("新"));
}

void TestIniFile::missingFileGivesFallbackAndIsCreatedOnWrite()
{
    m_path = m_dir.filePath(QStringLiteral("new.ini"));
    QCOMPARE(IniFile::read(m_path, "Unit", "name", "none"), QStringLiteral("none"));
    QVERIFY(!QFile::exists(m_path));
    QVERIFY(IniFile::write(m_path, "Unit", "name", QStringLiteral("第一中学")));
    QCOMPARE(QString::fromUtf8(readFile()), QStringLiteral("[Unit]\nname=第一中学\n"));
}

void TestIniFile::unwritablePlaceFails()
{
    const QString file = writeFile("plain file");
    QVERIFY(!IniFile::write(file + QStringLiteral("/setup.ini"), "Unit", "name", "x"));
    QCOMPARE(readFile(), QByteArray("plain file"));
}

void TestIniFile::lineBreakInValueStaysInItsEntry()
{
    writeFile("[Unit]\nname=old\n[Other]\nk=v\n");
    QVERIFY(IniFile::write(m_path, "Unit", "name", QStringLiteral("第一\r\n[Other]\nk=x")));
    IniFile ini(m_path);
    QCOMPARE(ini.value("Unit", "name"), QStringLiteral("第一  [Other] k=x"));
    QCOMPARE(ini.value("Other", "k"), QStringLiteral("v"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
