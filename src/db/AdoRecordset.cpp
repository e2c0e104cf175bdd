#include "db/AdoRecordset.h"

#include "db/DbBackend.h"
#include "db/Statements.h"

CAdoRecordset::CAdoRecordset(std::shared_ptr<DbBackend> backend, ResultSet&& rows)
    : m_open(true), m_backend(backend), m_rows(std::make_shared<RowBlock>(std::move(rows.rows))),
      m_table(std::move(rows.table))
{
}

CAdoRecordset::CAdoRecordset(QString error) : m_error(std::move(error)), m_rows(std::make_shared<RowBlock>()) {}

CAdoRecordset::~CAdoRecordset() = default;

void CAdoRecordset::requireOpen() const
{
    if (!m_open)
        throw DbError(m_error.isEmpty() ? QStringLiteral("记录集没有打开") : m_error);
}

void CAdoRecordset::requireRow() const
{
    requireOpen();
    if (m_pos < 0 || m_pos >= rowCount())
        throw DbError(QStringLiteral("当前没有记录"));
}

void CAdoRecordset::requireColumn(int ordinal) const
{
    if (ordinal < 0 || ordinal >= m_rows->columnCount())
        throw DbError(QStringLiteral("没有第%1列").arg(ordinal));
}

bool CAdoRecordset::IsEOF() const
{
    requireOpen();
    return m_pos >= rowCount();
}

bool CAdoRecordset::IsBOF() const
{
    requireOpen();
    return m_pos < 0 || rowCount() == 0;
}

long CAdoRecordset::GetRecordCount() const
{
    requireOpen();
    return rowCount();
}

void CAdoRecordset::MoveFirst()
{
    requireOpen();
    m_pos = 0;
}

void CAdoRecordset::MoveLast()
{
    requireOpen();
    m_pos = rowCount() == 0 ? 0 : rowCount() - 1;
}

void CAdoRecordset::MoveNext()
{
    requireOpen();
    if (m_pos >= rowCount())
        throw DbError(QStringLiteral("已经在记录集的末尾"));
    ++m_pos;
}

void CAdoRecordset::MovePrevious()
{
    requireOpen();
    if (m_pos < 0)
        throw DbError(QStringLiteral("已经在记录集的开头"));
    --m_pos;
}

void CAdoRecordset::Move(long count)
{
    requireOpen();
    const long target = m_pos + count;
    if (target < -1 || target > rowCount())
        throw DbError(QStringLiteral("移动超出记录集范围"));
    m_pos = target;
}

int CAdoRecordset::GetFieldCount() const
{
    requireOpen();
    return m_rows->columnCount();
}

QString CAdoRecordset::GetFieldName(int ordinal) const
{
    requireOpen();
    requireColumn(ordinal);
    return m_rows->columns()[ordinal];
}

int CAdoRecordset::ordinalOf(const QString& name) const
{
    requireOpen();
    const QStringList& columns = m_rows->columns();
    int i = static_cast<int>(columns.indexOf(name));
    if (i < 0) {
        for (int k = 0; k < columns.size(); ++k)
            if (columns[k].compare(name, Qt::CaseInsensitive) == 0)
                return k;
        throw DbError(QStringLiteral("没有列: %1").arg(name));
    }
    return i;
}

QVariant CAdoRecordset::GetValue(int ordinal) const
{
    requireRow();
    requireColumn(ordinal);
    return m_rows->value(row(), ordinal);
}

QVariant CAdoRecordset::GetValue(const QString& name) const { return GetValue(ordinalOf(name)); }

QString CAdoRecordset::GetCollect(int ordinal) const
{
    requireRow();
    requireColumn(ordinal);
    return m_rows->text(row(), ordinal);
}

QString CAdoRecordset::GetCollect(const QString& name) const { return GetCollect(ordinalOf(name)); }

QStringList CAdoRecordset::GetRowTexts() const
{
    requireRow();
    QStringList texts;
    texts.reserve(m_rows->columnCount());
    for (int column = 0; column < m_rows->columnCount(); ++column)
        texts << m_rows->text(row(), column);
    return texts;
}

std::shared_ptr<const RowBlock> CAdoRecordset::SharedRows() const
{
    requireOpen();
    return m_rows;
}

void CAdoRecordset::AddNew()
{
    requireOpen();
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("这个记录集不能添加记录"));
    m_adding = true;
    m_pending.clear();
}

void CAdoRecordset::PutCollect(int ordinal, const QVariant& value)
{
    requireOpen();
    if (!m_adding)
        throw DbError(QStringLiteral("没有调用AddNew"));
    requireColumn(ordinal);
    m_pending[ordinal] = value;
}

void CAdoRecordset::PutCollect(const QString& name, const QVariant& value) { PutCollect(ordinalOf(name), value); }

void CAdoRecordset::Update()
{
    requireOpen();
    if (!m_adding)
        throw DbError(QStringLiteral("没有调用AddNew"));
    m_adding = false;
    const std::shared_ptr<DbBackend> backend = m_backend.lock();
    if (!backend)
        throw DbError(QStringLiteral("数据库连接已关闭"));
    QStringList names;
    QVariantList values;
    std::vector<QVariant> row(static_cast<std::size_t>(m_rows->columnCount()));
    for (const auto& [ordinal, value] : m_pending) {
        names << backend->quoteIdentifier(m_rows->columns()[ordinal]);
        values << value;
        row[static_cast<std::size_t>(ordinal)] = value;
    }
    const QString table = backend->quoteIdentifier(m_table);
    const QString sql = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QLatin1Char(',')), placeholders(values.size()));
    if (!backend->execute(sql, values))
        throw DbError(backend->lastError());
    // Blocks handed out by SharedRows stay as they were.
    if (m_rows.use_count() > 1)
        m_rows = std::make_shared<RowBlock>(*m_rows);
    m_rows->appendRow(row);
    m_pos = rowCount() - 1;
    m_pending.clear();
}
