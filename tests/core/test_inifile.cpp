#include "core/IniFile.h"
#include "core/TextCodec.h"

#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("setup.ini"));

    void writeFile(const QByteArray& bytes)
    {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }
    static QString readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void readsGbkAndUtf8()
    {
        const QString text = QStringLiteral("[Unit]\r\nname = 第一中学\r\n[单位]\r\n报表人=张三\r\n");
        const QList<QByteArray> inputs{toGbk(text), "\xEF\xBB\xBF" + text.toUtf8()};
        for (const QByteArray& bytes : inputs) {
            writeFile(bytes);
            IniFile ini(m_path);
            QCOMPARE(ini.value("unit", "NAME"), QStringLiteral("第一中学"));
            QCOMPARE(ini.value("单位", "报表人"), QStringLiteral("张三"));
            QCOMPARE(ini.value("Unit", "missing", "x"), QStringLiteral("x"));
        }
    }

    void saveKeepsCommentsAndOrder()
    {
        writeFile(toGbk(QStringLiteral("; 本校设置\r\n[B]\r\nk2=旧值\r\n# note\r\nk1=1\r\n\r\n[A]\r\nx=y\r\n")));
        IniFile ini(m_path);
        ini.setValue("B", "k2", QStringLiteral("新值"));
        ini.setValue("A", "z", QStringLiteral("新"));
        ini.setValue("C", "w", QStringLiteral("3"));
        QVERIFY(ini.save());
        QCOMPARE(readFile(m_path), QStringLiteral("; 本校设置\n[B]\nk2=新值\n# note\nk1=1\n\n[A]\nx=y\nz=新\n[C]\nw=3\n"));
    }

    void missingFileIsCreatedOnWriteAndUnwritablePlaceFails()
    {
        const QString path = m_dir.filePath(QStringLiteral("new.ini"));
        QCOMPARE(IniFile::read(path, "Unit", "name", "none"), QStringLiteral("none"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(IniFile::write(path, "Unit", "name", QStringLiteral("第一中学")));
        QCOMPARE(readFile(path), QStringLiteral("[Unit]\nname=第一中学\n"));
        QVERIFY(!IniFile::write(path + QStringLiteral("/setup.ini"), "Unit", "name", "x"));
        QCOMPARE(readFile(path), QStringLiteral("[Unit]\nname=第一中学\n"));
    }

    void lineBreakInValueStaysInItsEntry()
    {
        writeFile("[Unit]\nname=old\n[Other]\nk=v\n");
        QVERIFY(IniFile::write(m_path, "Unit", "name", QStringLiteral("第一\r\n[Other]\nk=x")));
        IniFile ini(m_path);
        QCOMPARE(ini.value("Unit", "name"), QStringLiteral("第一  [Other] k=x"));
        QCOMPARE(ini.value("Other", "k"), QStringLiteral("v"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
