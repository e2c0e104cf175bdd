#include "sheets/ExcelFile.h"

#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetFormat.h"

#include <QFileInfo>

#include <algorithm>

namespace {
// The highest column number a caller may name: the bound of a 16-bit column number, which
// keeps a text file's padding within reach of memory.
constexpr int kMaxColumn = 32767;

// One or two letters A to Z (any case) name a column: A is 1, AA 27, IV 256; 0 for any
// other text.
int columnOfLetters(const QString& text)
{
    if (text.isEmpty() || text.size() > 2)
        return 0;
    int column = 0;
    for (const QChar c : text.toUpper()) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return 0;
        column = column * 26 + (c.unicode() - 'A' + 1);
    }
    return column;
}

// Where a name stands the second time, -1 when every name stands once.
qsizetype repeatedName(const QStringList& names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.indexOf(names[i], i + 1) >= 0)
            return i;
    }
    return -1;
}

// The path with its extension (".xlsx" as well as three letters) replaced.
QString otherFormatPath(const QString& path, bool workbook)
{
    const QString suffix = QFileInfo(path).suffix();
    const QString stem = suffix.isEmpty() ? path : path.chopped(suffix.size() + 1);
    return stem + (workbook ? QStringLiteral(".csv") : QStringLiteral(".xls"));
}

QString missingSheetText(const QString& sheet)
{
    return QStringLiteral("工作簿中没有工作表：%1\n").arg(sheet);
}

// Where the sheet of that name is, -1 when there is none; an empty name names no sheet.
int namedSheet(const Workbook& book, const QString& name) { return name.isEmpty() ? -1 : sheetIndex(book, name); }

QString negativeText(const char* what) { return QStringLiteral("%1不能小于0").arg(QLatin1String(what)); }
}

CExcelFile::CExcelFile(const QString& path, const QString& sheetOrSeparator, bool backup)
    : m_bBackup(backup), m_bWorkbook(isWorkbookFormat(formatForPath(path))), m_strFile(path)
{
    if (m_bWorkbook)
        m_sheet.sheetName = sheetOrSeparator;
    else
        m_strSeparator = sheetOrSeparator;
    if (Open() && m_bBackup && m_bSheetExists && !WriteBackup())
        m_bBackup = false;
}

// What the file holds replaces what is held only when the sheet is there, so that a failed
// read back keeps the changes.
bool CExcelFile::Open()
{
    const FileContent content = sniffContent(m_strFile);
    if (m_bWorkbook && (content == FileContent::Missing || content == FileContent::Empty))
        return false;
    if (content == FileContent::Missing)
        return Fail(QStringLiteral("打开文件时产生错误\n"));
    Workbook book;
    QString error;
    if (!readSpreadsheet(m_strFile, m_strSeparator, &book, &error)) {
        m_bUnreadable = true;
        return Fail(m_bWorkbook ? QStringLiteral("读取行时产生错误\n") : QStringLiteral("打开文件时产生错误\n"), error);
    }
    // A file without sheet names (text) or a text path has one sheet to offer. A text
    // file under a workbook's name reads, but a commit would replace it by a workbook.
    const bool named = m_bWorkbook && isWorkbookContent(content);
    m_bUnreadable = m_bWorkbook && !named;
    if (m_bUnreadable)
        Refuse(QStringLiteral("文件不是表格文件，没有覆盖：%1\n").arg(m_strFile));
    const int found = named ? namedSheet(book, m_sheet.sheetName) : sheetIndex(book, QString());
    if (found < 0)
        return false;
    if (named)
        m_sheet.sheetName = book[size_t(found)].sheetName;
    Hold(std::move(book[size_t(found)]));
    return true;
}

void CExcelFile::Hold(Sheet&& sheet)
{
    m_sheet.rows = std::move(sheet.rows);
    m_sheet.texts = std::move(sheet.texts);
    m_nTotalColumns = m_sheet.columnCount();
    m_arrFieldNames = m_sheet.rows.empty() ? QStringList() : RowTexts(0);
    m_bSheetExists = m_nTotalColumns > 0;
    m_nCurrentRow = 1;
}

// The sheet counts as there still: a workbook's sheet stays in its file, emptied.
void CExcelFile::EmptyHeld()
{
    m_sheet.rows.clear();
    m_arrFieldNames.clear();
    m_nTotalColumns = 0;
}

bool CExcelFile::WriteBackup()
{
    if (!m_bWorkbook)
        return CommitText(m_strFile + QStringLiteral(".bak"));
    // An earlier backup sheet stays as it is, and this backup fails.
    const QString name = m_sheet.sheetName;
    m_sheet.sheetName = name + QStringLiteral("备份");
    const bool written = CommitWorkbook({&m_sheet}, false);
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
    QStringList header;
    if (!ReadRow(header, 1))
        return false;
    if (m_bWorkbook) {
        for (const QString& name : names) {
            if (header.contains(name))
                return Fail(QStringLiteral("首行列头字段重复:%1\n").arg(name));
        }
    }
    header += names;
    if (!AddRow(header, 1, true))
        return Fail(QStringLiteral("添加列头时产生错误\n"), GetErrorDetail());
    m_nTotalColumns = std::max(m_nTotalColumns, int(header.size()));
    return true;
}

bool CExcelFile::AddRow(const QStringList& cells, int row, bool replace)
{
    const int width = int(cells.size());
    if (row == 1 && m_bWorkbook) {
        if (const qsizetype twice = repeatedName(cells); twice >= 0)
            return Fail(QStringLiteral("首行列头字段重复:%1\n").arg(cells[twice]));
        if (width < m_nTotalColumns)
            return Fail(QStringLiteral("新列头数不能小于原列头数"));
        m_nTotalColumns = width;
    } else if (m_bWorkbook && m_nTotalColumns == 0) {
        return Fail(QStringLiteral("没有列头，首先要加入列头\n"));
    } else if (m_bWorkbook && width > m_nTotalColumns) {
        return Fail(QStringLiteral("列数大于表格中总列数\n"));
    }
    // The row would go nowhere, and the change be reported as made.
    if (row < 0)
        return Refuse(negativeText("行号"));
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
        const CellRow filler = Cells(FillerTexts(m_nTotalColumns));
        while (rows.size() + 1 < at)
            rows.push_back(filler);
        rows.push_back(Cells(cells));
    }
    return m_bTransaction || Commit();
}

bool CExcelFile::AddCell(const QString& value, int column, int row)
{
    if (column == 0)
        return Fail(QStringLiteral("列数不能为0\n"));
    if (column < 0 || row < 0)
        return Refuse(negativeText(column < 0 ? "列号" : "行号"));
    if (m_bWorkbook && column > int(m_arrFieldNames.size()) + 1)
        return Fail(QStringLiteral("指定列号大于表格中存在的总列数\n"));
    if (column > kMaxColumn)
        return Refuse(QStringLiteral("列号不能大于%1").arg(kMaxColumn));
    if (row > 0 && row <= GetTotalRows())
        return SetCellInRow(value, column, row);
    QStringList cells = FillerTexts(std::max(m_nTotalColumns, column));
    cells[column - 1] = value;
    return AddRow(cells, row, false);
}

bool CExcelFile::AddCell(const QString& value, const QString& column, int row, bool letters)
{
    const int number = LookupColumn(column, letters);
    return number > 0 && AddCell(value, number, row);
}

// The other cells of the row keep what they hold: numbers and dates stay numbers and dates.
bool CExcelFile::SetCellInRow(const QString& value, int column, int row)
{
    CellRow& cells = m_sheet.rows[size_t(row - 1)];
    if (row == 1 && m_bWorkbook) {
        QStringList names = TextsOf(cells);
        names.resize(std::max(names.size(), qsizetype(column)));
        names[column - 1] = value;
        if (const qsizetype twice = repeatedName(names); twice >= 0)
            return Fail(QStringLiteral("首行字段重复(列头):%1\n").arg(names[twice]));
    } else if (m_bWorkbook && column > m_nTotalColumns) {
        return Fail(QStringLiteral("列数大于表格中总列数\n"));
    }
    if (cells.size() < size_t(column))
        cells.resize(size_t(column));
    cells[size_t(column - 1)] = SheetCell::fromText(value);
    m_nTotalColumns = std::max(m_nTotalColumns, column);
    if (row == 1)
        m_arrFieldNames = TextsOf(cells);
    return m_bTransaction || Commit();
}

int CExcelFile::LookupColumn(const QString& column, bool letters)
{
    if (const int number = letters ? columnOfLetters(column) : 0; number > 0)
        return number;
    const qsizetype at = m_arrFieldNames.indexOf(column);
    if (at >= 0)
        return int(at) + 1;
    Fail(QStringLiteral("无效字段名或字母列号\n"));
    return 0;
}

bool CExcelFile::ReadRow(QStringList& cells, int row)
{
    const int total = GetTotalRows();
    if (row > total)
        return Fail(QStringLiteral("指定行大于表格中总行数\n"));
    if (row > 0)
        m_nCurrentRow = row;
    else if (m_nCurrentRow > total)
        return false;
    cells = RowTexts(size_t(m_nCurrentRow - 1));
    ++m_nCurrentRow;
    return true;
}

bool CExcelFile::ReadColumn(QStringList& cells, int column)
{
    if (column == 0)
        return Fail(QStringLiteral("列数不能为0\n"));
    if (column < 0)
        return Refuse(negativeText("列号"));
    cells.clear();
    cells.reserve(GetTotalRows());
    for (const CellRow& row : m_sheet.rows)
        cells << (size_t(column) <= row.size() ? row[size_t(column - 1)].displayText() : QString());
    return true;
}

bool CExcelFile::ReadColumn(QStringList& cells, const QString& column, bool letters)
{
    const int number = LookupColumn(column, letters);
    return number > 0 && ReadColumn(cells, number);
}

bool CExcelFile::ReadCell(QString& text, int column, int row)
{
    if (column == 0)
        return Fail(QStringLiteral("列不能为0\n"));
    if (column < 0)
        return Refuse(negativeText("列号"));
    const int at = row > 0 ? row : m_nCurrentRow;
    if (at > GetTotalRows())
        return Fail(QStringLiteral("读取行时产生错误\n"));
    text.clear();
    const QStringList cells = RowTexts(size_t(at - 1));
    if (column > cells.size())
        return false;
    text = cells[column - 1];
    return true;
}

bool CExcelFile::ReadCell(QString& text, const QString& column, int row, bool letters)
{
    const int number = LookupColumn(column, letters);
    return number > 0 && ReadCell(text, number, row);
}

bool CExcelFile::Commit(const std::vector<CExcelFile*>& alongside)
{
    std::vector<const Sheet*> ours{&m_sheet};
    for (const CExcelFile* other : alongside) {
        if (!m_bWorkbook || other->m_strFile != m_strFile)
            return FailCommit(QStringLiteral("只有同一个工作簿的工作表才能一起写入\n"));
        if (other->m_bUnreadable)
            return FailCommit(other->GetErrorDetail());
        ours.push_back(&other->m_sheet);
    }
    if (m_bUnreadable)
        return FailCommit(QStringLiteral("文件不能读取，没有覆盖：%1\n").arg(m_strFile));
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

bool CExcelFile::RollBack()
{
    m_strErrorDetail.clear();
    if (!Open())
        return Fail(QStringLiteral("在回滚先前状态时产生错误\n"), m_strErrorDetail);
    m_bTransaction = false;
    return true;
}

// The sheets as the file holds them now; none for a file not yet written.
bool CExcelFile::ReadFileBook(Workbook* book)
{
    if (m_bUnreadable)
        return Fail(QStringLiteral("文件不能读取，没有覆盖：%1\n").arg(m_strFile));
    QString error;
    const FileContent content = sniffContent(m_strFile);
    if (content == FileContent::Text)
        return Fail(QStringLiteral("文件不是表格文件，没有覆盖：%1\n").arg(m_strFile));
    if (isWorkbookContent(content) && !readSpreadsheet(m_strFile, m_strSeparator, book, &error))
        return Fail(QStringLiteral("%1，没有覆盖：%2\n").arg(error, m_strFile));
    return true;
}

bool CExcelFile::SaveBook(const SheetList& sheets)
{
    QString error;
    if (!saveSpreadsheet(m_strFile, sheets, m_strSeparator, true, &error))
        return Fail(error + QLatin1Char('\n'));
    return true;
}

// Every sheet of the file stays in its place, ours replacing those of their names; new
// ones follow in the order given.
bool CExcelFile::CommitWorkbook(const std::vector<const Sheet*>& ours, bool replace)
{
    Workbook book;
    if (!ReadFileBook(&book))
        return false;
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
        if (!replace)
            return Fail(QStringLiteral("工作表已存在：%1\n").arg(sheet.sheetName));
        sheets.push_back(*mine);
        placed[size_t(mine - ours.begin())] = true;
    }
    for (size_t i = 0; i < ours.size(); ++i) {
        if (!placed[i])
            sheets.push_back(ours[i]);
    }
    return SaveBook(sheets);
}

bool CExcelFile::DeleteSheet()
{
    if (!m_bWorkbook)
        return EmptyTextFile();
    if (!DeleteSheet(m_sheet.sheetName))
        return Fail(QStringLiteral("删除表格时产生错误\n"), GetErrorDetail());
    return true;
}

// Emptying what this object holds for another sheet would make its next commit write its
// own sheet empty.
bool CExcelFile::DeleteSheet(const QString& sheet)
{
    if (!m_bWorkbook)
        return EmptyTextFile();
    if (!EmptyInWorkbook(sheet))
        return false;
    if (sheet.compare(m_sheet.sheetName, Qt::CaseInsensitive) == 0)
        EmptyHeld();
    return true;
}

// What the file holds goes out without this object's changes: only the named sheet changes.
bool CExcelFile::EmptyInWorkbook(const QString& sheet)
{
    Workbook book;
    if (!ReadFileBook(&book))
        return false;
    const int found = namedSheet(book, sheet);
    if (found < 0)
        return Fail(missingSheetText(sheet));
    book[size_t(found)].rows.clear();
    SheetList sheets;
    for (const Sheet& kept : book)
        sheets.push_back(&kept);
    return SaveBook(sheets);
}

bool CExcelFile::EmptyTextFile()
{
    EmptyHeld();
    m_bSheetExists = false;
    return m_bTransaction || Commit();
}

bool CExcelFile::UpdateMatchingRows(const QStringList& newValues, const QStringList& oldValues)
{
    if (!m_bWorkbook)
        return Fail(QStringLiteral("这个涵数对分隔符文本文件无效\n"));
    if (newValues.isEmpty() || oldValues.isEmpty())
        return Fail(QStringLiteral("没有要更新的值或条件\n"));
    Workbook book;
    if (!ReadFileBook(&book))
        return false;
    const int found = namedSheet(book, m_sheet.sheetName);
    if (found < 0)
        return Fail(missingSheetText(m_sheet.sheetName));
    std::vector<CellRow>& rows = book[size_t(found)].rows;
    const qsizetype named = rows.empty() ? 0 : qsizetype(rows.front().size());
    if (std::max(newValues.size(), oldValues.size()) > named)
        return Fail(QStringLiteral("列数大于表格中总列数\n"));
    auto matches = [&](const CellRow& cells) {
        for (qsizetype i = 0; i < oldValues.size(); ++i) {
            const QString held = size_t(i) < cells.size() ? cells[size_t(i)].displayText() : QString();
            if (held != oldValues[i])
                return false;
        }
        return true;
    };
    for (size_t r = 1; r < rows.size(); ++r) {
        CellRow& cells = rows[r];
        if (!matches(cells))
            continue;
        cells.resize(std::max(cells.size(), size_t(newValues.size())));
        for (qsizetype i = 0; i < newValues.size(); ++i)
            cells[size_t(i)] = SheetCell::fromText(newValues[i]);
    }
    SheetList sheets;
    for (const Sheet& sheet : book)
        sheets.push_back(&sheet);
    if (!SaveBook(sheets))
        return false;
    Open();
    return true;
}

bool CExcelFile::SaveAsOtherFormat(const QString& sheetOrSeparator)
{
    const QString path = otherFormatPath(m_strFile, m_bWorkbook);
    CExcelFile copy(path, sheetOrSeparator);
    if (!copy.IsReadable())
        return Refuse(copy.GetErrorDetail());
    if (copy.GetTotalColumns() > 0)
        return Refuse(QStringLiteral("另存的文件已有内容，没有覆盖：%1\n").arg(path));
    // One commit: a failure leaves no half-written copy.
    copy.BeginTransaction();
    if (!(m_bWorkbook ? CopyTo(copy) : CopyTextTo(copy)) || !copy.Commit())
        return Refuse(copy.GetErrorDetail());
    return true;
}

bool CExcelFile::CopyTo(CExcelFile& copy)
{
    for (int row = 1; row <= GetTotalRows(); ++row) {
        if (!copy.AddRow(RowTexts(size_t(row - 1)), row, false))
            return false;
    }
    return true;
}

// A workbook needs distinct names over its columns: a header that repeats one becomes data
// under numbered columns.
bool CExcelFile::CopyTextTo(CExcelFile& copy)
{
    if (m_nTotalColumns == 0)
        return copy.Fail(QStringLiteral("没有列头，首先要加入列头\n"));
    const QStringList header = RowTexts(0);
    const qsizetype twice = repeatedName(header);
    int shift = 0;
    if (twice < 0) {
        if (!copy.AddHeaders(header, false))
            return false;
    } else {
        Fail(QStringLiteral("首行(列头)字段重复:%1\n").arg(header[twice]));
        QStringList numbers;
        for (int column = 1; column <= m_nTotalColumns; ++column)
            numbers << QString::number(column);
        if (!copy.AddHeaders(numbers, false))
            return false;
        shift = 1;
    }
    for (int row = 2 - shift; row <= GetTotalRows(); ++row) {
        if (!copy.AddRow(RowTexts(size_t(row - 1)), row + shift, false))
            return false;
    }
    return true;
}

bool CExcelFile::CommitText(const QString& path)
{
    QString error;
    if (!saveSpreadsheet(path, {&m_sheet}, m_strSeparator, true, &error))
        return FailCommit(error);
    return true;
}

bool CExcelFile::Fail(const QString& text, const QString& detail)
{
    m_strLastError = text;
    m_strErrorDetail = detail;
    return false;
}

bool CExcelFile::Refuse(const QString& detail)
{
    m_strErrorDetail = detail;
    return false;
}

// A workbook's statement would fail with its own message, which the reason stands for.
bool CExcelFile::FailCommit(const QString& reason)
{
    if (m_bWorkbook)
        return Fail(reason);
    return Fail(QStringLiteral("写文件时产生错误\n"), reason);
}

QStringList CExcelFile::RowTexts(size_t index) const
{
    QStringList texts = TextsOf(m_sheet.rows[index]);
    if (m_bWorkbook && texts.size() < m_nTotalColumns)
        texts.resize(m_nTotalColumns);
    return texts;
}

QStringList CExcelFile::TextsOf(const CellRow& cells)
{
    QStringList texts;
    texts.reserve(qsizetype(cells.size()));
    for (const SheetCell& cell : cells)
        texts << cell.displayText();
    return texts;
}

// The files other installations wrote pad a workbook's rows with a space and a text file's
// with empty cells; ours look the same.
QStringList CExcelFile::FillerTexts(int width) const
{
    return QStringList(width, m_bWorkbook ? QStringLiteral(" ") : QString());
}

CellRow CExcelFile::Cells(const QStringList& texts)
{
    CellRow cells;
    cells.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        cells.push_back(SheetCell::fromText(text));
    return cells;
}
