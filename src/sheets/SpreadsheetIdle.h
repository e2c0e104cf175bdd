#pragma once

#include <atomic>

// The number of spreadsheet workers running (exports and imports); zero means idle.
// Windows that must not close under a worker test it. A count, not a flag, so the first
// of two overlapping workers to finish does not declare the program idle.
extern std::atomic<int> g_bSpreadsheetIdle;

inline bool spreadsheetIdle() { return g_bSpreadsheetIdle.load() == 0; }

// Counts one worker for its lifetime.
class SpreadsheetWorker {
public:
    SpreadsheetWorker() { ++g_bSpreadsheetIdle; }
    ~SpreadsheetWorker() { --g_bSpreadsheetIdle; }
    SpreadsheetWorker(const SpreadsheetWorker&) = delete;
    SpreadsheetWorker& operator=(const SpreadsheetWorker&) = delete;
};
