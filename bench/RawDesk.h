#pragma once

#include <QString>
#include <sqlite3.h>

#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

// The floor a benchmark compares with: SQLite's C API alone, each statement prepared once and
// reused (reset and rebound), every column of every row read as text.
class RawDesk {
public:
    struct Value {
        Value() = default;  // NULL
        Value(const std::string& s) : text(&s) {}
        Value(long long n) : number(n), isNumber(true) {}
        const std::string* text = nullptr;
        long long number = 0;
        bool isNumber = false;
    };
    using Row = std::vector<std::string>;

    explicit RawDesk(const QString& path);
    ~RawDesk();
    RawDesk(const RawDesk&) = delete;
    RawDesk& operator=(const RawDesk&) = delete;

    // Runs one statement (its text a literal: statements are kept by address); the rows go to
    // `rows` when given. Returns the rows a data change changed.
    int run(const char* sql, std::initializer_list<Value> values = {}, std::vector<Row>* rows = nullptr);
    // Steps a query, reading every column of every row as text where SQLite holds it, without
    // copying; returns the bytes read.
    long long readAll(const char* sql, std::initializer_list<Value> values = {});

private:
    sqlite3_stmt* prepared(const char* sql);
    sqlite3_stmt* bound(const char* sql, std::initializer_list<Value> values);
    void finish(const char* sql, sqlite3_stmt* stmt, int rc);

    sqlite3* m_db = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};
