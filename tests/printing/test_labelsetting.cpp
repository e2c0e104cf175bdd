#include "PrintTestSupport.h"

#include "printing/FontSetup.h"
#include "printing/LabelSettingDlg.h"
#include "printing/SpineLayout.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {
// What "默认值" then "确　定" write without a file before: no style, 分类号, 复本号, 模板一,
// 学校图书馆, zero padding, margins 0, gaps 1.10 and 1.00, 10 x 5, 297 x 210 mm, labels
// 27 x 40 mm, 宋体 -14 weight 400 GB2312 3/2/1/2, black.
const QByteArray kDefaultFile = QByteArray::fromHex(
    "0000000000000000000000000000000000000000"
    "b7d6c0e0bac50000000000000000000000000000"
    "b8b4b1bebac50000000000000000000000000000"
    "c4a3b0e5d2bb0000000000000000000000000000"
    "d1a7d0a3cdbccae9b9dd00000000000000000000"
    "0000000000000000000000000000000000000000"
    "9a9999999999f13f000000000000f03f0a000000"
    "0500000000000000009072400000000000406a40"
    "1b00000028000000f2ffffff0000000000000000"
    "00000000900100000000008603020102cbcecce5"
    "0000000000000000000000000000000000000000"
    "000000000000000000000000");

QStringList sketch(QWidget& window)
{
    QStringList lines;
    for (const char* name : {"m_labelSketch1", "m_labelSketch2", "m_labelSketch3"}) {
        auto* line = child<QLabel>(window, name);
        lines << (line->isVisibleTo(&window) ? line->text() : QStringLiteral("-"));
    }
    return lines;
}

bool writeLayout(const QString& style, const QString& templateName, const QString& heading)
{
    LayoutRecord layout = SpineLayout::Defaults();
    return layout.SetText(SpineLayout::StyleSlot, style) && layout.SetText(SpineLayout::TemplateSlot, templateName)
        && layout.SetText(SpineLayout::HeadingSlot, heading) && layout.Write(SpineLayout::Path());
}
}

class TestLabelSetting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    // What the window shows of a file: the template's radio (模板二 for any name but 模板一),
    // the heading enabled for 模板二 only, the style (none for a name that is none of the ten),
    // and the sketch's lines ("-" for a hidden line).
    void opensOnTheFile_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QString>("shownStyle");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("模板二") << "样式四" << "模板二" << "样式四" << QStringList{"第一中学", "分类号", "图书编号"};
        QTest::newRow("样式三, 模板一") << "样式三" << "模板一" << "样式三" << QStringList{"图书名称", "-", "分类号/复本号"};
        QTest::newRow("no style stored") << "" << "模板一" << "" << QStringList{"", "-", ""};
        QTest::newRow("unknown style") << "样式十一" << "模板一" << "" << QStringList{"", "-", ""};
        QTest::newRow("unknown template") << "样式五" << "模板三" << "样式五" << QStringList{"第一中学", "图书编号", "书架名称"};
    }

    void opensOnTheFile()
    {
        QFETCH(QString, style);
        QFETCH(QString, templateName);
        QFETCH(QString, shownStyle);
        QFETCH(QStringList, lines);
        Workplace w;
        QVERIFY(writeLayout(style, templateName, QStringLiteral("第一中学")));
        CLabelSettingDlg dlg;
        const bool second = templateName != QStringLiteral("模板一");
        QCOMPARE(child<QRadioButton>(dlg, "m_radioTemplate2")->isChecked(), second);
        QCOMPARE(child<QLineEdit>(dlg, "m_editHeading")->isEnabled(), second);
        QCOMPARE(child<QLineEdit>(dlg, "m_editHeading")->text(), QStringLiteral("第一中学"));
        QCOMPARE(child<QComboBox>(dlg, "m_comboStyle")->currentText(), shownStyle);
        QCOMPARE(sketch(dlg), lines);
        QCOMPARE(child<QLineEdit>(dlg, "m_editRows")->text(), QStringLiteral("10"));
    }

    // Without a file no style is chosen; the sketch follows the style, the template and every
    // keystroke of the heading.
    void sketchFollowsTheChoices()
    {
        Workplace w;
        CLabelSettingDlg dlg;
        QCOMPARE(child<QComboBox>(dlg, "m_comboStyle")->currentIndex(), -1);
        QVERIFY(child<QRadioButton>(dlg, "m_radioTemplate1")->isChecked());
        QCOMPARE(sketch(dlg), QStringList({"", "-", ""}));
        child<QComboBox>(dlg, "m_comboStyle")->setCurrentText(QStringLiteral("样式三"));
        QCOMPARE(sketch(dlg), QStringList({"图书名称", "-", "分类号/复本号"}));
        child<QRadioButton>(dlg, "m_radioTemplate2")->click();
        QVERIFY(child<QLineEdit>(dlg, "m_editHeading")->isEnabled());
        QCOMPARE(sketch(dlg), QStringList({"学校图书馆", "图书名称", "分类号/复本号"}));
        QTest::keyClicks(child<QLineEdit>(dlg, "m_editHeading"), QStringLiteral("X"));
        QCOMPARE(sketch(dlg).first(), QStringLiteral("学校图书馆X"));
        child<QRadioButton>(dlg, "m_radioTemplate1")->click();
        QVERIFY(!child<QLineEdit>(dlg, "m_editHeading")->isEnabled());
        QCOMPARE(sketch(dlg), QStringList({"图书名称", "-", "分类号/复本号"}));
    }

    // "默认值" gives the lines the descriptions 分类号 and 复本号 whatever the style, and the
    // file keeps them beside the style chosen.
    void defaultsDescribeTheLinesWhateverTheStyle()
    {
        Workplace w;
        QVERIFY(writeLayout(QStringLiteral("样式三"), QStringLiteral("模板一"), QStringLiteral("学校图书馆")));
        CLabelSettingDlg dlg;
        click(dlg, "m_btnDefault");
        QCOMPARE(child<QComboBox>(dlg, "m_comboStyle")->currentText(), QStringLiteral("样式三"));
        QCOMPARE(sketch(dlg), QStringList({"分类号", "-", "复本号"}));
        click(dlg, "m_btnOk");
        const std::optional<LayoutRecord> saved = SpineLayout::Read();
        QVERIFY(saved);
        QCOMPARE(saved->Text(SpineLayout::StyleSlot), QStringLiteral("样式三"));
        QCOMPARE(saved->Text(SpineLayout::UpperSlot), QStringLiteral("分类号"));
        QCOMPARE(saved->Text(SpineLayout::LowerSlot), QStringLiteral("复本号"));
    }

    // Without a file, "默认值" then "确　定" write the default layout byte for byte;
    // "取消" writes nothing.
    void defaultsMakeAWholeFile()
    {
        Workplace w;
        CLabelSettingDlg dlg;
        QVERIFY(child<QLineEdit>(dlg, "m_editRows")->text().isEmpty());
        click(dlg, "m_btnDefault");
        click(dlg, "m_btnCancel");
        QVERIFY(!QFile::exists(SpineLayout::Path()));
        click(dlg, "m_btnDefault");
        click(dlg, "m_btnOk");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(fileBytes(SpineLayout::Path()).toHex(), kDefaultFile.toHex());
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // A saved style stores its own line descriptions; the heading and the template go along.
    void savesTheChoices()
    {
        Workplace w;
        QVERIFY(writeLayout(QStringLiteral("样式一"), QStringLiteral("模板一"), QStringLiteral("学校图书馆")));
        CLabelSettingDlg dlg;
        child<QComboBox>(dlg, "m_comboStyle")->setCurrentText(QStringLiteral("样式八"));
        child<QRadioButton>(dlg, "m_radioTemplate2")->click();
        child<QLineEdit>(dlg, "m_editHeading")->setText(QStringLiteral("实验小学"));
        child<QLineEdit>(dlg, "m_editTop")->setText(QStringLiteral("2.5"));
        click(dlg, "m_btnOk");
        const std::optional<LayoutRecord> saved = SpineLayout::Read();
        QVERIFY(saved);
        QCOMPARE(saved->Text(SpineLayout::StyleSlot), QStringLiteral("样式八"));
        QCOMPARE(saved->Text(SpineLayout::UpperSlot), QStringLiteral("图书名称"));
        QCOMPARE(saved->Text(SpineLayout::LowerSlot), QStringLiteral("分类号|书架名称"));
        QCOMPARE(saved->Text(SpineLayout::TemplateSlot), QStringLiteral("模板二"));
        QCOMPARE(saved->Text(SpineLayout::HeadingSlot), QStringLiteral("实验小学"));
        QCOMPARE(saved->TopMargin(), 2.5);
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // A text that is no number is saved as 0; only what cannot be laid out is refused, which
    // keeps the window open and the file as it was.
    void typedFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("margin not a number") << "m_editTop" << "abc" << "0.00" << "";
        QTest::newRow("empty gap") << "m_editRowGap" << "" << "0.00" << "";
        QTest::newRow("negative margin") << "m_editLeft" << "-2" << "-2.00" << "";
        QTest::newRow("label width not a number") << "m_editLabelWidth" << "宽" << "0" << "";
        QTest::newRow("columns past the page") << "m_editColumns" << "6" << "6" << "";
        QTest::newRow("no rows") << "m_editRows" << "abc" << "" << "标签行数不能小于1！";
        QTest::newRow("page of no height") << "m_editPageHeight" << "abc" << "" << "纸张高度应在1到1000之间！";
        QTest::newRow("page past 1000 mm") << "m_editPageWidth" << "1001" << "" << "纸张宽度应在1到1000之间！";
        QTest::newRow("heading of 20 bytes") << "m_editHeading" << "一二三四五六七八九十" << ""
                                             << "标题内容不能超过19个字节（一个汉字两个字节）！";
        QTest::newRow("heading without GBK") << "m_editHeading" << "한국" << "" << "标题内容含有不能保存的字符！";
    }

    void typedFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Workplace w;
        QVERIFY(writeLayout(QStringLiteral("样式一"), QStringLiteral("模板二"), QStringLiteral("学校图书馆")));
        const QByteArray before = fileBytes(SpineLayout::Path());
        {
            CLabelSettingDlg dlg;
            dlg.show();
            child<QLineEdit>(dlg, field)->setText(text);
            click(dlg, "m_btnOk");
            QCOMPARE(w.seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
            QCOMPARE(dlg.isVisible(), !message.isEmpty());
        }
        if (message.isEmpty()) {
            CLabelSettingDlg again;
            QCOMPARE(child<QLineEdit>(again, field)->text(), shown);
        } else {
            QCOMPARE(fileBytes(SpineLayout::Path()), before);
        }
    }

    // Enter in a field moves on like Tab; it neither opens the font chooser nor closes the window.
    void enterMovesToTheNextField()
    {
        Workplace w;
        CLabelSettingDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        child<QRadioButton>(dlg, "m_radioTemplate2")->setChecked(true);
        for (const QString name : {"m_editHeading", "m_editRows"}) {
            auto* edit = child<QLineEdit>(dlg, name);
            QCOMPARE(windowsOpenedByEnter(edit), QStringList());
            QVERIFY(dlg.isVisible());
            QVERIFY(!edit->hasFocus());
        }
        QVERIFY(!QFile::exists(SpineLayout::Path()));
    }

    // A data folder that cannot take the file: the window stays open, which is all it says.
    void failedSaveKeepsTheWindowOpen()
    {
        Workplace w;
        QVERIFY(blockDataFolder());
        CLabelSettingDlg dlg;
        dlg.show();
        click(dlg, "m_btnDefault");
        click(dlg, "m_btnOk");
        QVERIFY(w.seams.prompter.texts().isEmpty());
        QVERIFY(dlg.isVisible());
    }
};

QTEST_MAIN(TestLabelSetting)
#include "test_labelsetting.moc"
