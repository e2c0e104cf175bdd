#include "db/AdoRecordset.h"

#include "core/NumberText.h"
#include "db/DbBackend.h"

CAdoRecordset::CAdoRecordset(std::shared_ptr<DbBackend> backend, ResultSet&& rows)
    : m_open(true), m_backend(std::move(backend)), m_columns(std::move(rows.columns)),
      m_table(std::move(rows.table)), m_rows(std::move(rows.rows))
{
}

CAdoRecordset::CAdoRecordset(QString error) : m_error(std::move(error)) {}

CAdoRecordset::~CAdoRecordset() = default;

void CAdoRecordset::requireOpen() const
{
    if (!m_open)
        throw DbError(m_error.isEmpty() ? QStringLiteral("记录集没有打开") : m_error);
}

void CAdoRecordset::requireRow() const
{
    requireOpen();
    if (m_pos < 0 || m_pos >= static_cast<long>(m_rows.size()))
        throw DbError(QStringLiteral("当前没有记录"));
}

bool CAdoRecordset::IsEOF() const
{
    requireOpen();
    return m_pos >= static_cast<long>(m_rows.size());
}

bool CAdoRecordset::IsBOF() const
{
    requireOpen();
    return m_pos < 0 || m_rows.empty();
}

long CAdoRecordset::GetRecordCount() const
{
    requireOpen();
    return static_cast<long>(m_rows.size());
}

void CAdoRecordset::MoveFirst()
{
    requireOpen();
    m_pos = 0;
}

void CAdoRecordset::MoveLast()
{
    requireOpen();
    m_pos = m_rows.empty() ? 0 : static_cast<long>(m_rows.size()) - 1;
}

void CAdoRecordset::MoveNext()
{
    requireOpen();
    if (m_pos >= static_cast<long>(m_rows.size()))
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
    if (target < -1 || target > static_cast<long>(m_rows.size()))
        throw DbError(QStringLiteral("移动超出记录集范围"));
    m_pos = target;
}

int CAdoRecordset::GetFieldCount() const
{
    requireOpen();
    return static_cast<int>(m_columns.size());
}

QString CAdoRecordset::GetFieldName(int ordinal) const
{
    requireOpen();
    if (ordinal < 0 || ordinal >= m_columns.size())
        throw DbError(QStringLiteral("没有第%1列").arg(ordinal));
    return m_columns[ordinal];
}

int CAdoRecordset::ordinalOf(const QString& name) const
{
    requireOpen();
    int i = static_cast<int>(m_columns.indexOf(name));
    if (i < 0) {
        for (int k = 0; k < m_columns.size(); ++k)
            if (m_columns[k].compare(name, Qt::CaseInsensitive) == 0)
                return k;
        throw DbError(QStringLiteral("没有列: %1").arg(name));
    }
    return i;
}

QVariant CAdoRecordset::GetValue(int ordinal) const
{
    requireRow();
    if (ordinal < 0 || ordinal >= m_columns.size())
        throw DbError(QStringLiteral("没有第%1列").arg(ordinal));
    return m_rows[static_cast<size_t>(m_pos)][static_cast<size_t>(ordinal)];
}

QVariant CAdoRecordset::GetValue(const QString& name) const { return GetValue(ordinalOf(name)); }

QString CAdoRecordset::GetCollect(int ordinal) const { return variantText(GetValue(ordinal)); }

QString CAdoRecordset::GetCollect(const QString& name) const { return variantText(GetValue(name)); }

QStringList CAdoRecordset::GetRowTexts() const
{
    requireRow();
    QStringList texts;
    for (const QVariant& v : m_rows[static_cast<size_t>(m_pos)])
        texts << variantText(v);
    return texts;
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
    if (ordinal < 0 || ordinal >= m_columns.size())
        throw DbError(QStringLiteral("没有第%1列").arg(ordinal));
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
    QStringList marks;
    QVariantList values;
    for (const auto& [ordinal, value] : m_pending) {
        names << backend->quoteIdentifier(m_columns[ordinal]);
        marks << QStringLiteral("?");
        values << value;
    }
    const QString table = backend->quoteIdentifier(m_table);
    const QString sql = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (!backend->execute(sql, values))
        throw DbError(backend->lastError());
    std::vector<QVariant> row(static_cast<size_t>(m_columns.size()));
    for (const auto& [ordinal, value] : m_pending)
        row[static_cast<size_t>(ordinal)] = value;
    m_rows.push_back(std::move(row));
    m_pos = static_cast<long>(m_rows.size()) - 1;
    m_pending.clear();
}
