#include "sheets/SpreadsheetFile.h"

#include "sheets/CompoundFormat.h"
#include "sheets/DelimitedText.h"
#include "sheets/ReadBudget.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/XlsReader.h"
#include "sheets/XlsWriter.h"
#include "sheets/XlsxReader.h"
#include "sheets/XlsxWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <new>

FileContent sniffContent(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return FileContent::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return FileContent::Text;
    const QByteArray start = file.read(8);
    if (start.isEmpty())
        return FileContent::Empty;
    if (start == CompoundFormat::kSignature)
        return FileContent::CompoundFile;
    if (start.startsWith(QByteArrayLiteral("PK\x03\x04")))
        return FileContent::Zip;
    return FileContent::Text;
}

namespace {
bool readText(const QString& path, const QString& separator, Workbook* workbook, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("打开文件时产生错误\n");
        return false;
    }
    workbook->clear();
    ReadBudget budget(file.size());
    Sheet sheet;
    if (budget.take(quint64(file.size())))
        sheet = parseDelimited(file.readAll(), separator, budget);
    if (budget.exceeded()) {
        *error = QStringLiteral("文本文件读入内存将超过%1 MB，不能读取").arg(budget.limit() >> 20);
        return false;
    }
    workbook->push_back(std::move(sheet));
    return true;
}

bool readByContent(const QString& path, const QString& separator, Workbook* workbook, QString* error)
{
    switch (sniffContent(path)) {
    case FileContent::CompoundFile:
        return readXls(path, workbook, error);
    case FileContent::Zip:
        return readXlsx(path, workbook, error);
    case FileContent::Missing:
        *error = QStringLiteral("文件不存在：%1").arg(path);
        return false;
    case FileContent::Empty:
    case FileContent::Text:
        break;
    }
    return readText(path, separator, workbook, error);
}
}

bool readSpreadsheet(const QString& path, const QString& separator, Workbook* workbook, QString* error)
{
    // The budget keeps a reading within what its file may take, which a machine short of
    // memory may still not have: the file is refused then, and the program goes on.
    try {
        return readByContent(path, separator, workbook, error);
    } catch (const std::bad_alloc&) {
        *workbook = {};
        *error = QStringLiteral("内存不足，不能读取这个文件");
        return false;
    }
}

namespace {
bool writeAs(SpreadsheetFormat format, const QString& file, const SheetList& sheets, const QString& separator,
             QString* error)
{
    switch (format) {
    case SpreadsheetFormat::Xls:
        return writeXls(file, sheets, error);
    case SpreadsheetFormat::Xlsx:
        return writeXlsx(file, sheets, error);
    case SpreadsheetFormat::Text:
        break;
    }
    static const Sheet none;
    return writeDelimited(file, sheets.empty() ? none : *sheets.front(), separator, error);
}

// A new file gets the usual permissions, a replacing one those of the file it replaces.
QFileDevice::Permissions permissionsFor(const QString& target)
{
    if (QFileInfo::exists(target))
        return QFile::permissions(target);
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}

bool moveInPlace(const QString& temporary, const QString& target, bool mayReplace)
{
    if (!mayReplace)
        return QFile::rename(temporary, target);  // never replaces an existing file
    return std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0;
}
}

bool saveSpreadsheet(const QString& path, const SheetList& sheets, const QString& separator, bool mayReplace,
                     QString* error)
{
    const SpreadsheetFormat format = formatForPath(path);
    *error = limitError(format, sheets);
    if (!error->isEmpty())
        return false;
    if (!mayReplace && QFileInfo::exists(path)) {
        *error = QStringLiteral("文件已存在！");
        return false;
    }
    const QFileInfo target(path);
    QTemporaryFile reserved(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        *error = QStringLiteral("不能在文件夹中写文件：%1").arg(reserved.errorString());
        return false;
    }
    const QString temporary = reserved.fileName();
    reserved.close();
    const bool written = writeAs(format, temporary, sheets, separator, error);
    if (written && QFile::setPermissions(temporary, permissionsFor(path)) && moveInPlace(temporary, path, mayReplace))
        return true;
    if (written)
        *error = QFileInfo::exists(path) && !mayReplace ? QStringLiteral("文件已存在！")
                                                         : QStringLiteral("不能保存文件：%1").arg(path);
    QFile::remove(temporary);
    return false;
}
