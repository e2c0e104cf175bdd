#include "db/MariaDbBackend.h"

#include "db/ValueKind.h"

#include <mysql.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
struct StatementGuard {
    MYSQL_STMT* stmt;
    ~StatementGuard() { mysql_stmt_close(stmt); }
};

struct ResultMeta {
    MYSQL_RES* res;
    ~ResultMeta()
    {
        if (res)
            mysql_free_result(res);
    }
};

// Parameter buffers must outlive mysql_stmt_execute.
struct ParamBuffers {
    std::vector<MYSQL_BIND> binds;
    std::vector<QByteArray> texts;
    std::vector<long long> ints;
    std::vector<double> reals;
    std::vector<unsigned long> lengths;

    explicit ParamBuffers(const QVariantList& params)
        : binds(params.size()), texts(params.size()), ints(params.size()), reals(params.size()),
          lengths(params.size())
    {
        for (int i = 0; i < params.size(); ++i)
            bind(i, params[i]);
    }

    void bind(int i, const QVariant& v)
    {
        MYSQL_BIND& b = binds[i];
        std::memset(&b, 0, sizeof b);
        switch (valueKind(v)) {
        case ValueKind::Null:
            b.buffer_type = MYSQL_TYPE_NULL;
            return;
        case ValueKind::Integer:
            ints[i] = v.toLongLong();
            b.buffer_type = MYSQL_TYPE_LONGLONG;
            b.buffer = &ints[i];
            return;
        case ValueKind::Real:
            reals[i] = v.toDouble();
            b.buffer_type = MYSQL_TYPE_DOUBLE;
            b.buffer = &reals[i];
            return;
        case ValueKind::Text:
            texts[i] = v.toString().toUtf8();
            lengths[i] = static_cast<unsigned long>(texts[i].size());
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = texts[i].data();
            b.buffer_length = lengths[i];
            b.length = &lengths[i];
        }
    }
};

void appendCell(RowBlock& rows, const MYSQL_FIELD& field, const QByteArray& bytes)
{
    switch (field.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_LONGLONG:
        rows.appendInteger(bytes.toLongLong());
        return;
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        rows.appendReal(bytes.toDouble());
        return;
    default:
        rows.appendText(bytes.constData(), bytes.size());
    }
}
}

std::unique_ptr<MariaDbBackend> MariaDbBackend::open(const RemoteServer& server, QString* error)
{
    MYSQL* mysql = mysql_init(nullptr);
    if (!mysql) {
        *error = QStringLiteral("内存不足");
        return nullptr;
    }
    const unsigned int timeout = static_cast<unsigned int>(std::max(1, server.timeoutSeconds));
    mysql_options(mysql, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    mysql_options(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    mysql_options(mysql, MYSQL_OPT_READ_TIMEOUT, &timeout);
    mysql_options(mysql, MYSQL_OPT_WRITE_TIMEOUT, &timeout);
    // ChangedRows counts the rows a statement matched, as SQLite does, so an update that
    // writes the values a row already holds still tells the caller the row is there.
    if (!mysql_real_connect(mysql, server.host.toUtf8().constData(), server.user.toUtf8().constData(),
                            server.password.toUtf8().constData(), server.database.toUtf8().constData(),
                            static_cast<unsigned int>(server.port), nullptr, CLIENT_FOUND_ROWS)) {
        *error = QString::fromUtf8(mysql_error(mysql));
        mysql_close(mysql);
        return nullptr;
    }
    return std::unique_ptr<MariaDbBackend>(new MariaDbBackend(mysql));
}

MariaDbBackend::~MariaDbBackend() { mysql_close(m_mysql); }

bool MariaDbBackend::query(const QString& sql, const QVariantList& params, ResultSet& out)
{
    out = ResultSet();
    return run(sql, params, &out);
}

bool MariaDbBackend::execute(const QString& sql, const QVariantList& params) { return run(sql, params, nullptr); }

bool MariaDbBackend::run(const QString& sql, const QVariantList& params, ResultSet* out)
{
    m_error.clear();
    m_changed = 0;
    StatementGuard g{mysql_stmt_init(m_mysql)};
    MYSQL_STMT* st = g.stmt;
    const QByteArray text = sql.toUtf8();
    auto fail = [&] {
        m_error = QString::fromUtf8(mysql_stmt_error(st));
        if (out)
            *out = ResultSet();
        return false;
    };
    if (!st)
        return false;
    if (mysql_stmt_prepare(st, text.constData(), static_cast<unsigned long>(text.size())) != 0)
        return fail();
    if (mysql_stmt_param_count(st) != static_cast<unsigned long>(params.size())) {
        m_error = QStringLiteral("参数个数不符");
        return false;
    }
    ParamBuffers in(params);
    if (!params.isEmpty() && mysql_stmt_bind_param(st, in.binds.data()) != 0)
        return fail();
    if (mysql_stmt_execute(st) != 0)
        return fail();

    ResultMeta meta{mysql_stmt_result_metadata(st)};
    if (meta.res) {
        const unsigned int n = mysql_num_fields(meta.res);
        MYSQL_FIELD* fields = mysql_fetch_fields(meta.res);
        if (mysql_stmt_store_result(st) != 0)
            return fail();
        std::vector<MYSQL_BIND> binds(n);
        std::vector<std::vector<char>> buffers(n, std::vector<char>(256));
        std::vector<unsigned long> lengths(n);
        std::vector<my_bool> nulls(n);
        QStringList names;
        for (unsigned int i = 0; i < n; ++i) {
            std::memset(&binds[i], 0, sizeof(MYSQL_BIND));
            binds[i].buffer_type = MYSQL_TYPE_STRING;
            binds[i].buffer = buffers[i].data();
            binds[i].buffer_length = static_cast<unsigned long>(buffers[i].size());
            binds[i].length = &lengths[i];
            binds[i].is_null = &nulls[i];
            names << QString::fromUtf8(fields[i].name);
        }
        if (out)
            out->rows = RowBlock(names);
        if (out && n > 0) {
            out->table = QString::fromUtf8(fields[0].org_table);
            for (unsigned int i = 1; i < n; ++i)
                if (QString::fromUtf8(fields[i].org_table) != out->table)
                    out->table.clear();
        }
        if (mysql_stmt_bind_result(st, binds.data()) != 0)
            return fail();
        for (;;) {
            const int rc = mysql_stmt_fetch(st);
            if (rc == MYSQL_NO_DATA)
                break;
            if (rc == 1)
                return fail();
            if (!out)
                continue;
            for (unsigned int i = 0; i < n; ++i) {
                if (nulls[i]) {
                    out->rows.appendNull();
                    continue;
                }
                QByteArray bytes;
                if (lengths[i] > buffers[i].size()) {
                    bytes.resize(static_cast<qsizetype>(lengths[i]));
                    MYSQL_BIND whole;
                    std::memset(&whole, 0, sizeof whole);
                    whole.buffer_type = MYSQL_TYPE_STRING;
                    whole.buffer = bytes.data();
                    whole.buffer_length = lengths[i];
                    mysql_stmt_fetch_column(st, &whole, i, 0);
                } else {
                    bytes = QByteArray(buffers[i].data(), static_cast<qsizetype>(lengths[i]));
                }
                appendCell(out->rows, fields[i], bytes);
            }
        }
    }
    m_changed = static_cast<qint64>(mysql_stmt_affected_rows(st));
    m_insertId = static_cast<qint64>(mysql_stmt_insert_id(st));
    return true;
}
