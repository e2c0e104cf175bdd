#pragma once

#include "RawDesk.h"

#include <QString>
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

class CAdoConn;

// What the book and the periodical lending benchmarks share: the reader's part of a lend and a
// return, run on the raw floor with the statements LendingService runs for both, word for word;
// the texts it writes; and the loop that times the service beside that floor.
namespace LendingBench {
extern const std::string kOperator;
extern const std::string kLent;
extern const std::string kReturned;

struct LoanDates {
    std::string lent;
    std::string due;
};

// The reader as the desk finds them before a lend, and the dates their loan period gives.
RawDesk::Row findReader(RawDesk& desk, const std::string& number);
LoanDates loanDates(const RawDesk::Row& reader);
// The reader and their open loans read again inside the lend's transaction.
void recheckReader(RawDesk& desk, const std::string& number);
// The reader's count of open loans written back and read again once their loans changed.
void recount(RawDesk& desk, const std::string& number);

// Copies and readers that nobody else touches, taken in turn; each side has its own.
struct Pool {
    QString (*copyNumber)(int);
    int firstCopy;
    int copies;
    int firstReader;
    int readers;
    int next = 0;
    // The copy's number and the reader's.
    std::pair<QString, QString> take();
};

using ServiceLendAndReturn = void (*)(CAdoConn& conn, const QString& copy, const QString& reader);
using RawLendAndReturn = void (*)(RawDesk& desk, const QString& copy, const QString& reader);

// A lend and a return through the service beside the same on the raw floor, on the database at
// `path`, each side on copies and readers of its own pool.
void timeBeside(benchmark::State& state, const QString& path, Pool servicePool, Pool rawPool,
                ServiceLendAndReturn service, RawLendAndReturn raw);
}
