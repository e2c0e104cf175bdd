#include "sheets/ExcelFile.h"

#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetFormat.h"

#include <algorithm>

namespace {
// A separator must not be a character that quoting or line ends use.
QChar separatorOf(const QString& argument)
{
    if (argument.size() != 1 || argument == QLatin1String("\"") || argument == QLatin1String("\r") ||
        argument == QLatin1String("\n"))
        return QLatin1Char(',');
    return argument[0];
}
}

CExcelFile::CExcelFile(const QString& path, const QString& sheetOrSeparator, bool backup)
    : m_bBackup(backup), m_bWorkbook(isWorkbookFormat(formatForPath(path))), m_strFile(path)
{
    if (m_bWorkbook)
        m_sheet.sheetName = sheetOrSeparator;
    else
        m_separator = separatorOf(sheetOrSeparator);
    if (Open() && m_bBackup && m_bSheetExists && !WriteBackup())
        m_bBackup = false;
    if (m_bWorkbook && m_sheet.sheetName.isEmpty())
        m_sheet.sheetName = kFirstSheet;
}

bool CExcelFile::Open()
{
    m_sheet.rows.clear();
    m_arrFieldNames.clear();
    m_nTotalColumns = 0;
    m_nCurrentRow = 1;
    m_bSheetExists = false;
    const FileContent content = sniffContent(m_strFile);
    if (content == FileContent::Missing || content == FileContent::Empty)
        return false;
    Workbook book;
    QString error;
    if (!readSpreadsheet(m_strFile, m_separator, &book, &error)) {
        m_bUnreadable = true;
        return Fail(error);
    }
    // A file without sheet names (text) or a text path has one sheet to offer. A text
    // file under a workbook's name reads, but a commit would replace it by a workbook.
    const bool named = m_bWorkbook && isWorkbookContent(content);
    if (m_bWorkbook && !named) {
        m_bUnreadable = true;
        Fail(QStringLiteral("文件不是表格文件，没有覆盖：%1\n").arg(m_strFile));
    }
    const int found = sheetIndex(book, named ? m_sheet.sheetName : QString());
    if (found < 0)
        return false;
    const QString wanted = m_sheet.sheetName;
    m_sheet = std::move(book[size_t(found)]);
    if (!named)
        m_sheet.sheetName = wanted;
    m_nTotalColumns = m_sheet.columnCount();
    if (!m_sheet.rows.empty()) {
        for (const SheetCell& cell : m_sheet.rows.front())
            m_arrFieldNames << cell.displayText();
    }
    m_bSheetExists = m_nTotalColumns > 0;
    return true;
}

bool CExcelFile::WriteBackup()
{
    if (!m_bWorkbook)
        return CommitText(m_strFile + QStringLiteral(".bak"));
    const QString name = m_sheet.sheetName;
    m_sheet.sheetName = name + QStringLiteral("备份");
    const bool written = CommitWorkbook({&m_sheet});
    m_sheet.sheetName = name;
    return written;
}

bool CExcelFile::AddHeaders(const QStringList& names, bool replace)
{
    if (!m_bSheetExists) {
        m_nTotalColumns = int(names.size());
        return AddRow(names, 1, true);
    }
    if (replace)
        return AddRow(names, 1, true);
    QStringList header = m_arrFieldNames;
    if (m_bWorkbook) {
        for (const QString& name : names) {
            if (header.contains(name))
                return Fail(QStringLiteral("首行列头字段重复:%1\n").arg(name));
        }
    }
    header += names;
    if (!AddRow(header, 1, true))
        return Fail(QStringLiteral("添加列头时产生错误\n"));
    m_nTotalColumns = std::max(m_nTotalColumns, int(header.size()));
    return true;
}

bool CExcelFile::AddRow(const QStringList& cells, int row, bool replace)
{
    const int width = int(cells.size());
    if (row < 0)
        return Fail(QStringLiteral("行号不能小于0\n"));
    if (row == 1 && m_bWorkbook) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (cells.indexOf(cells[i], i + 1) >= 0)
                return Fail(QStringLiteral("首行列头字段重复:%1\n").arg(cells[i]));
        }
        if (width < m_nTotalColumns)
            return Fail(QStringLiteral("新列头数不能小于原列头数"));
        m_nTotalColumns = width;
    } else if (m_bWorkbook && m_nTotalColumns == 0) {
        return Fail(QStringLiteral("没有列头，首先要加入列头\n"));
    } else if (m_bWorkbook && width > m_nTotalColumns) {
        return Fail(QStringLiteral("列数大于表格中总列数\n"));
    }
    if (row == 1)
        m_arrFieldNames = cells;
    m_nTotalColumns = std::max(m_nTotalColumns, width);

    std::vector<CellRow>& rows = m_sheet.rows;
    const size_t at = size_t(row);
    if (row == 0) {
        rows.push_back(Cells(cells));
    } else if (at <= rows.size()) {
        if (replace)
            rows[at - 1] = Cells(cells);
        else
            rows.insert(rows.begin() + qsizetype(at - 1), Cells(cells));
    } else {
        while (rows.size() + 1 < at)
            rows.push_back(FillerRow());
        rows.push_back(Cells(cells));
    }
    return m_bTransaction || Commit();
}

bool CExcelFile::ReadRow(QStringList& cells, int row)
{
    const int total = GetTotalRows();
    if (row < 0 || row > total)
        return Fail(QStringLiteral("指定行大于表格中总行数\n"));
    if (row > 0)
        m_nCurrentRow = row;
    else if (m_nCurrentRow > total)
        return false;
    cells = Texts(m_sheet.rows[size_t(m_nCurrentRow - 1)]);
    ++m_nCurrentRow;
    return true;
}

bool CExcelFile::Commit(const std::vector<CExcelFile*>& alongside)
{
    std::vector<const Sheet*> ours{&m_sheet};
    for (const CExcelFile* other : alongside) {
        if (!m_bWorkbook || other->m_strFile != m_strFile)
            return Fail(QStringLiteral("只有同一个工作簿的工作表才能一起写入\n"));
        if (other->m_bUnreadable)
            return Fail(other->m_strLastError);
        ours.push_back(&other->m_sheet);
    }
    if (m_bUnreadable)
        return Fail(QStringLiteral("文件不能读取，没有覆盖：%1\n").arg(m_strFile));
    if (!(m_bWorkbook ? CommitWorkbook(ours) : CommitText(m_strFile)))
        return false;
    for (CExcelFile* file : alongside)
        file->Committed();
    Committed();
    return true;
}

void CExcelFile::Committed()
{
    m_bTransaction = false;
    m_bSheetExists = m_bSheetExists || !m_sheet.rows.empty();
}

// Every sheet of the file stays in its place, ours replacing those of their names; new
// ones follow in the order given.
bool CExcelFile::CommitWorkbook(const std::vector<const Sheet*>& ours)
{
    Workbook book;
    QString error;
    const FileContent content = sniffContent(m_strFile);
    if (content == FileContent::Text)
        return Fail(QStringLiteral("文件不是表格文件，没有覆盖：%1\n").arg(m_strFile));
    if (isWorkbookContent(content) && !readSpreadsheet(m_strFile, m_separator, &book, &error))
        return Fail(QStringLiteral("%1，没有覆盖：%2\n").arg(error, m_strFile));
    auto sameName = [](const Sheet& a, const Sheet& b) {
        return a.sheetName.compare(b.sheetName, Qt::CaseInsensitive) == 0;
    };
    SheetList sheets;
    std::vector<bool> placed(ours.size(), false);
    for (const Sheet& sheet : book) {
        const auto mine = std::find_if(ours.begin(), ours.end(), [&](const Sheet* s) { return sameName(*s, sheet); });
        if (mine == ours.end()) {
            sheets.push_back(&sheet);
            continue;
        }
        sheets.push_back(*mine);
        placed[size_t(mine - ours.begin())] = true;
    }
    for (size_t i = 0; i < ours.size(); ++i) {
        if (!placed[i])
            sheets.push_back(ours[i]);
    }
    if (!saveSpreadsheet(m_strFile, sheets, m_separator, true, &error))
        return Fail(error + QLatin1Char('\n'));
    return true;
}

bool CExcelFile::CommitText(const QString& path)
{
    QString error;
    if (!saveSpreadsheet(path, {&m_sheet}, m_separator, true, &error))
        return Fail(QStringLiteral("写文件时产生错误\n") + error);
    return true;
}

bool CExcelFile::Fail(const QString& text)
{
    m_strLastError = text;
    return false;
}

QStringList CExcelFile::Texts(const CellRow& cells) const
{
    QStringList texts;
    texts.reserve(std::max(m_nTotalColumns, int(cells.size())));
    for (const SheetCell& cell : cells)
        texts << cell.displayText();
    while (texts.size() < m_nTotalColumns)
        texts << QString();
    return texts;
}

CellRow CExcelFile::Cells(const QStringList& texts)
{
    CellRow cells;
    cells.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        cells.push_back(SheetCell::fromText(text));
    return cells;
}
