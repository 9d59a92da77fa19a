// conversion_progress.h: progress reports and cancelling of a conversion.
//
// The caller's callback hears of the percentage whenever its integer value
// changes and, while the value stands still, at least every 100 ms of
// work, so that a cancel takes effect within a second even on a file whose
// one percent takes longer (docs/behaviour/import-export.md). Long SQLite
// statements (the rebuild of the derived tables) report through a watch on
// the connection.
// Invariant: only an answer of 0 from the caller's callback cancels; no
// failure of the engine is ever reported as a cancel.
#pragma once

#include "lexvane_engine.h"

#include <sqlite3.h>

#include <chrono>

namespace lexvane::engine::exchange {

class ConversionProgress {
public:
    static constexpr std::chrono::milliseconds kInterval{100};

    ConversionProgress(UdProgressCallback callback, void* user);

    // Reports `percent` when due. False once the caller has cancelled.
    bool report(double percent);
    // Reports the last percentage again when 100 ms have passed.
    bool tick();
    bool cancelled() const { return m_cancelled; }

    // A status that a statement's interruption caused becomes the cancel
    // status; every other status stays as it is.
    int statusOf(int status) const;

private:
    bool call(double percent);

    UdProgressCallback m_callback;
    void* m_user;
    long long m_lastInteger = -1;
    double m_lastPercent = 0;
    std::chrono::steady_clock::time_point m_lastCall;
    bool m_cancelled = false;
};

// While it lives, statements of `connection` call tick() every few
// thousand steps and stop when the caller cancels.
class StatementWatch {
public:
    StatementWatch(sqlite3* connection, ConversionProgress& progress);
    ~StatementWatch();
    StatementWatch(const StatementWatch&) = delete;
    StatementWatch& operator=(const StatementWatch&) = delete;

private:
    sqlite3* m_connection;
};

} // namespace lexvane::engine::exchange
