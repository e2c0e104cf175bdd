#include "PrintTestSupport.h"

#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodePainter.h"
#include "printing/BarcodeSample.h"
#include "printing/BarcodeSet2Dlg.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/FontSetup.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace {
const QString kCustom = BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes);
const QString kBook = BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers);

QLineEdit* field(QWidget& window, const QString& name) { return child<QLineEdit>(window, name); }

// A saved layout that differs from the defaults.
LayoutRecord savedLayout()
{
    LayoutRecord record = LayoutRecord::Defaults();
    record.SetText(LayoutRecord::TitleSlot, QStringLiteral("第一中学"));
    record.SetRows(8);
    record.SetTopMargin(2.5);
    return record;
}
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget* widget, int* count) : m_count(count) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        *m_count += event->type() == QEvent::Paint;
        return false;
    }

private:
    int* m_count;
};

class TestBarcodeSet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void fieldsShowTheFile()
    {
        Workplace w;
        QVERIFY(savedLayout().Write(kCustom));
        CBarcodeSetDlg dlg(BarcodeLayoutFile::CustomCodes);
        const QList<std::pair<QString, QString>> shown = {
            {"m_editPageHeight", "297"}, {"m_editPageWidth", "210"}, {"m_editRows", "8"},
            {"m_editColumns", "5"},      {"m_editTop", "2.50"},      {"m_editLeft", "0.00"},
            {"m_editRowGap", "1.10"},    {"m_editColumnGap", "1.00"}, {"m_editLabelWidth", "40"},
            {"m_editLabelHeight", "27"}, {"m_editTitle", "第一中学"}};
        for (const auto& [name, text] : shown)
            QCOMPARE(field(dlg, name)->text(), text);
        QCOMPARE(child<QComboBox>(dlg, "m_comboPaper")->currentText(), QStringLiteral("A4"));
        QCOMPARE(child<BarcodeSample>(dlg, "m_sample")->Caption(), QStringLiteral("第一中学"));
    }

    // What is typed and saved comes back in the field's format the next time; a refused
    // field says why, writes nothing and keeps the window open.
    void typedFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("label width 40.7") << "m_editLabelWidth" << "40.7" << "40" << "";
        QTest::newRow("top margin 2") << "m_editTop" << "2" << "2.00" << "";
        QTest::newRow("page height 297.4") << "m_editPageHeight" << "297.4" << "297" << "";
        QTest::newRow("trailing text") << "m_editColumns" << "4列" << "4" << "";
        QTest::newRow("title of 19 bytes") << "m_editTitle" << "一二三四五六七八九A" << "一二三四五六七八九A" << "";
        QTest::newRow("empty title") << "m_editTitle" << "" << "" << "";
        QTest::newRow("no number") << "m_editLabelWidth" << "四十" << "0" << "";
        QTest::newRow("empty margin") << "m_editTop" << "" << "0.00" << "";
        QTest::newRow("negative gap") << "m_editColumnGap" << "-1" << "-1.00" << "";
        QTest::newRow("exponent") << "m_editLeft" << "1e1" << "10.00" << "";
        QTest::newRow("page size not a number") << "m_editPageWidth" << "A4" << "0" << "";
        QTest::newRow("huge page") << "m_editPageWidth" << "5000" << "5000" << "";
        QTest::newRow("columns past the page") << "m_editLabelWidth" << "42" << "42" << "";
        QTest::newRow("no rows") << "m_editRows" << "0" << "" << "标签行数不能小于1！";
        QTest::newRow("columns not a number") << "m_editColumns" << "五" << "" << "标签列数不能小于1！";
        QTest::newRow("title of 20 bytes") << "m_editTitle" << "一二三四五六七八九十" << ""
                                           << "标题不能超过19个字节（一个汉字两个字节）！";
        QTest::newRow("title without GBK") << "m_editTitle" << "한국" << "" << "标题含有不能保存的字符！";
    }

    void typedFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Workplace w;
        QVERIFY(savedLayout().Write(kCustom));
        {
            CBarcodeSetDlg dlg(BarcodeLayoutFile::CustomCodes);
            dlg.show();
            field(dlg, name)->setText(typed);
            click(dlg, "m_btnOk");
            QCOMPARE(w.seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
            QCOMPARE(dlg.isVisible(), !message.isEmpty());
        }
        if (message.isEmpty()) {
            CBarcodeSetDlg again(BarcodeLayoutFile::CustomCodes);
            QCOMPARE(field(again, name)->text(), shown);
        } else {
            QCOMPARE(fileBytes(kCustom), savedLayout().Bytes());
        }
        QVERIFY(!QFile::exists(kBook));
    }

    // Without a file the fields are empty and say nothing; "默认" and "确定" write the defaults
    // to the window's own file, "默认" and "取消" nothing.
    void defaults_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("no file, saved") << false << false;
        QTest::newRow("no file, cancelled") << false << true;
        QTest::newRow("saved file, cancelled") << true << true;
    }

    void defaults()
    {
        QFETCH(bool, existing);
        QFETCH(bool, cancel);
        Workplace w;
        QVERIFY(savedLayout().Write(kBook));
        if (existing)
            QVERIFY(savedLayout().Write(kCustom));
        CBarcodeSetDlg dlg(BarcodeLayoutFile::CustomCodes);
        QCOMPARE(field(dlg, "m_editRows")->text().isEmpty(), !existing);
        if (!existing) {
            click(dlg, "m_btnOk");
            QCOMPARE(w.seams.prompter.texts(), QStringList{"标签行数不能小于1！"});
        }
        click(dlg, "m_btnDefault");
        QCOMPARE(field(dlg, "m_editTitle")->text(), QStringLiteral("学校图书馆"));
        click(dlg, cancel ? "m_btnCancel" : "m_btnOk");
        QCOMPARE(dlg.result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
        const QByteArray old = existing ? savedLayout().Bytes() : QByteArray("<missing>");
        QCOMPARE(fileBytes(kCustom), cancel ? old : LayoutRecord::Defaults().Bytes());
        QCOMPARE(fileBytes(kBook), savedLayout().Bytes());
    }

    // A data folder that cannot take the file: the window stays open, which is all it says.
    void unwritableDataFolder()
    {
        Workplace w;
        QVERIFY(blockDataFolder());
        CBarcodeSetDlg dlg(BarcodeLayoutFile::CustomCodes);
        dlg.show();
        click(dlg, "m_btnDefault");
        click(dlg, "m_btnOk");
        QVERIFY(w.seams.prompter.texts().isEmpty());
        QVERIFY(dlg.isVisible());
    }

    // Enter in a field moves on like Tab; it neither opens the font chooser nor closes the window.
    void enterMovesToTheNextField()
    {
        Workplace w;
        QVERIFY(savedLayout().Write(kCustom));
        CBarcodeSetDlg dlg(BarcodeLayoutFile::CustomCodes);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        for (const QString name : {"m_editTitle", "m_editRows"}) {
            QLineEdit* edit = field(dlg, name);
            QCOMPARE(windowsOpenedByEnter(edit), QStringList());
            QVERIFY(dlg.isVisible());
            QVERIFY(!edit->hasFocus());
        }
        QCOMPARE(fileBytes(kCustom), savedLayout().Bytes());
    }

    // The smaller settings window: six fields, a white sample painted again when the title
    // changes and when the font size field is left, and two buttons that only close it.
    void smallerWindowClosesAndTouchesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("确　定") << "m_btnOk" << int(QDialog::Accepted);
        QTest::newRow("取　消") << "m_btnCancel" << int(QDialog::Rejected);
    }

    void smallerWindowClosesAndTouchesNothing()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        Workplace w;
        QVERIFY(savedLayout().Write(kBook));
        const QStringList before = QDir(QStringLiteral("data")).entryList(QDir::Files);
        CBarcodeSet2Dlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("条形码设置"));
        QStringList labels;
        for (const QString name : {"labelFontSize", "labelTop", "labelLeft", "labelRowGap", "labelColumnGap", "labelTitle"})
            labels << child<QLabel>(dlg, name)->text();
        QCOMPARE(labels, (QStringList{"字号大小", "上边距", "左边距", "行间距", "列间距", "标题"}));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        field(dlg, "m_editFontSize")->setText(QStringLiteral("12"));
        field(dlg, "m_editTitle")->setText(QStringLiteral("第一中学"));
        click(dlg, button);
        QCOMPARE(dlg.result(), result);
        QVERIFY(!dlg.isVisible());
        QVERIFY(w.seams.prompter.texts().isEmpty());
        QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files), before);
        QCOMPARE(fileBytes(kBook), savedLayout().Bytes());
    }

    void smallerWindowRepaintsItsWhiteSample()
    {
        Workplace w;
        CBarcodeSet2Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* sample = child<QFrame>(dlg, "m_sample");
        const QImage shown = sample->grab().toImage();
        const QRect inside = shown.rect().adjusted(4, 4, -4, -4);
        QCOMPARE(darkPixels(shown, inside), 0);
        QCOMPARE(shown.pixelColor(inside.center()), QColor(Qt::white));
        int paints = 0;
        PaintCounter counter(sample, &paints);
        field(dlg, "m_editTitle")->setText(QStringLiteral("第一中学"));
        QTRY_VERIFY(paints > 0);
        paints = 0;
        field(dlg, "m_editFontSize")->setFocus();
        field(dlg, "m_editTop")->setFocus();
        QTRY_VERIFY(paints > 0);
    }

    void sampleFollowsEveryKeystroke()
    {
        Workplace w;
        CBarcodeSetDlg dlg(BarcodeLayoutFile::CustomCodes);
        auto* sample = child<BarcodeSample>(dlg, "m_sample");
        QLineEdit* title = field(dlg, "m_editTitle");
        QString typed;
        for (const QChar c : QStringLiteral("Lib 1")) {
            QTest::keyClick(title, c.toLatin1());
            typed += c;
            QCOMPARE(sample->Caption(), typed);
        }
    }

    // The sample is one label's fixed cell at (20, 0): a new label width does not move it.
    void sampleIgnoresTheLabelWidth()
    {
        Workplace w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers)));
        CBarcodeSetDlg dlg(BarcodeLayoutFile::BookNumbers);
        auto* sample = child<BarcodeSample>(dlg, "m_sample");
        const QImage before = sample->grab().toImage();
        const QList<int> bars = darkColumns(before, CBarcodePainter::kBarTop + 20);
        QVERIFY(!bars.isEmpty());
        QCOMPARE(bars.first(), BarcodeSample::kLeft + 2);
        field(dlg, "m_editLabelWidth")->setText(QStringLiteral("60"));
        QCoreApplication::processEvents();
        QCOMPARE(sample->grab().toImage(), before);
    }
};

QTEST_MAIN(TestBarcodeSet)
#include "test_barcodeset.moc"
