#include "PrintTestSupport.h"

#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/BookBarcodePrintDlg.h"
#include "printing/CustomBarcodePrintDlg.h"
#include "printing/FontSetup.h"
#include "printing/LabelSettingDlg.h"
#include "printing/LayoutRecord.h"
#include "printing/SpineLayout.h"

#include <QLineEdit>
#include <QProcess>
#include <QtTest>

namespace {
// Runs scripts/prepare-folder on the folder with this build's files; true when it succeeded.
bool prepareFolder(const QString& folder)
{
    QProcess script;
    script.start(QStringLiteral(SCHOOLLIB_SOURCE_DIR "/scripts/prepare-folder"),
                 {folder, QStringLiteral(SCHOOLLIB_BUILD_DIR)});
    return script.waitForFinished(30000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

QString field(QWidget& window, const char* name) { return child<QLineEdit>(window, name)->text(); }
}

class TestFirstStart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    // A new program folder gets the default layouts of the three label windows; a layout the
    // librarian changed is kept when the folder is prepared again.
    void newFolderGetsTheDefaultLayouts()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("schoollib"));
        QVERIFY(prepareFolder(folder));
        const QString book = folder + QLatin1Char('/') + BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers);
        const QString custom = folder + QLatin1Char('/') + BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes);
        const QString spine = folder + QLatin1Char('/') + SpineLayout::Path();
        QCOMPARE(fileBytes(book), LayoutRecord::Defaults().Bytes());
        QCOMPARE(fileBytes(custom), LayoutRecord::Defaults().Bytes());
        QCOMPARE(fileBytes(spine), SpineLayout::Defaults().Bytes());
        QVERIFY(QFile::exists(folder + QStringLiteral("/Database/book.db")));
        QVERIFY(QFile::exists(folder + QStringLiteral("/help.html")));
        LayoutRecord changed = LayoutRecord::Defaults();
        changed.SetRows(8);
        QVERIFY(changed.Write(book));
        QVERIFY(prepareFolder(folder));
        QCOMPARE(fileBytes(book), changed.Bytes());
    }

    // In a prepared folder the barcode windows open without a word and their settings show
    // the layout.
    void windowsOpenOnTheLayouts()
    {
        PrintBench w;
        QVERIFY(prepareFolder(w.folder.path()));
        CBookBarcodePrintDlg books;
        CCustomBarcodePrintDlg codes;
        books.show();
        codes.show();
        QCoreApplication::processEvents();
        QVERIFY(w.messages().isEmpty());
        CBarcodeSetDlg barcodes(BarcodeLayoutFile::BookNumbers);
        QCOMPARE(field(barcodes, "m_editRows"), QStringLiteral("10"));
        QCOMPARE(field(barcodes, "m_editLabelWidth"), QStringLiteral("40"));
        QCOMPARE(field(barcodes, "m_editTitle"), QStringLiteral("学校图书馆"));
        CLabelSettingDlg spine;
        QVERIFY(!field(spine, "m_editRows").isEmpty());
        QVERIFY(w.messages().isEmpty());
    }
};

QTEST_MAIN(TestFirstStart)
#include "test_firststart.moc"
