#include "ExchangeFixture.h"

#include "maintenance/ExportTemplateDlg.h"
#include "maintenance/ImportJob.h"
#include "export/SheetExport.h"

#include <QAbstractButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
struct Template {
    std::function<std::unique_ptr<QDialog>()> window;
    QString file;
    QString sheet;  // as the import looks for it
    QString numberColumn;
    ImportSpec::Target target;
};

const QList<Template> kTemplates{
    {[] { return std::make_unique<CExportReaderTemplateDlg>(); }, QStringLiteral("读者信息模板.xlsx"),
     QStringLiteral("读者信息模板"), QStringLiteral("编号"), ImportSpec::Target::Readers},
    {[] { return std::make_unique<CExportBookTemplateDlg>(); }, QStringLiteral("图书信息模板.xlsx"),
     QStringLiteral("sheet1"), QStringLiteral("图书编号"), ImportSpec::Target::Books},
    {[] { return std::make_unique<CExportPeriodicalTemplateDlg>(); }, QStringLiteral("期刊信息模板.xlsx"),
     QStringLiteral("sheet1"), QStringLiteral("期刊编号"), ImportSpec::Target::Periodicals},
};

// Two rows as a librarian adds them: the sample row with a number of their own.
QList<QStringList> twoRowsLike(const Rows& written, const QString& numberColumn)
{
    const qsizetype number = written.front().indexOf(numberColumn);
    QList<QStringList> rows;
    for (const char* added : {"RT0001", "RT0002"}) {
        QStringList row = written.at(1);
        row[number] = QString::fromLatin1(added);
        rows << row;
    }
    return rows;
}

QString importOf(const Workplace& work, ImportSpec::Target target, const QString& path)
{
    CImportJob job(ImportSpec::forTarget(target), path, work.folder.databasePath(), true);
    QString said;
    QObject::connect(&job, &CImportJob::Finished, [&said](bool done, int stored, const QString& message) {
        said = done ? QString::number(stored) : message;
    });
    job.Run();
    return said;
}
}

// The templates as a librarian uses them: exported as .xlsx, filled in, saved by LibreOffice
// and imported.
class TestTemplateRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void templatesSavedByLibreOfficeImport()
    {
        const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (office.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        Workplace work;
        QVERIFY(work.folder.isReady());
        QVERIFY(insertReader(QStringLiteral("T001"), QStringLiteral("张三")));
        QTemporaryDir saved;
        QStringList written;
        for (const Template& one : kTemplates) {
            const QString path = work.folder.path() + QLatin1Char('/') + one.file;
            work.seams.chooser.answers << path;
            const std::unique_ptr<QDialog> window = one.window();
            window->findChild<QAbstractButton*>(QStringLiteral("m_btnExport"))->click();
            QCOMPARE(work.seams.prompter.lastText(), QStringLiteral("导出数据成功!"));
            const Rows rows = fileRows(path, one.sheet);
            QVERIFY(rows.size() >= 2);
            QString error;
            QVERIFY2(exportSheet(path, one.sheet, false, rows.front(), twoRowsLike(rows, one.numberColumn), &error),
                     qPrintable(error));
            written << path;
        }

        // One start of LibreOffice for the three, with a profile of its own.
        QTemporaryDir profile;
        QProcess convert;
        convert.start(office, QStringList{QStringLiteral("-env:UserInstallation=") +
                                              QUrl::fromLocalFile(profile.path()).toString(),
                                          QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                          QStringLiteral("xlsx"), QStringLiteral("--outdir"), saved.path()}
                                  + written);
        QVERIFY(convert.waitForFinished(180000));
        QCOMPARE(convert.exitCode(), 0);

        for (const Template& one : kTemplates) {
            const QString path = saved.filePath(one.file);
            const int samples = int(fileRows(path).size()) - 3;
            QCOMPARE(importOf(work, one.target, path), QString::number(samples + 2));
            const QString table = ImportSpec::forTarget(one.target).table;
            QCOMPARE(cell(QStringLiteral("select count(*) from %1 where %2 in ('RT0001', 'RT0002')")
                              .arg(table, one.numberColumn)),
                     QStringLiteral("2"));
        }
    }
};

QTEST_MAIN(TestTemplateRoundTrip)
#include "test_template_roundtrip.moc"
