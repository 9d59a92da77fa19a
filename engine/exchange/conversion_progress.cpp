// conversion_progress.cpp: when to call the caller, and stopping statements.
#include "exchange/conversion_progress.h"

#include <cmath>

namespace lexvane::engine::exchange {

namespace {

// Steps of the SQLite machine between two looks at the clock.
constexpr int kStepsBetweenTicks = 10000;

// Stops the statement that runs when the caller cancels; statements after
// that (the ROLLBACK) run to their end.
int onStatementSteps(void* user)
{
    auto* progress = static_cast<ConversionProgress*>(user);
    if (progress->cancelled())
        return 0;
    return progress->tick() ? 0 : 1;
}

} // namespace

ConversionProgress::ConversionProgress(UdProgressCallback callback, void* user)
    : m_callback(callback), m_user(user), m_lastCall(std::chrono::steady_clock::now())
{
}

bool ConversionProgress::call(double percent)
{
    m_lastPercent = percent;
    m_lastInteger = static_cast<long long>(std::floor(percent));
    m_lastCall = std::chrono::steady_clock::now();
    if (m_callback && m_callback(percent, m_user) == 0)
        m_cancelled = true;
    return !m_cancelled;
}

bool ConversionProgress::report(double percent)
{
    if (m_cancelled)
        return false;
    if (static_cast<long long>(std::floor(percent)) != m_lastInteger)
        return call(percent);
    return tick();
}

bool ConversionProgress::tick()
{
    if (m_cancelled)
        return false;
    if (m_lastInteger < 0 || std::chrono::steady_clock::now() - m_lastCall < kInterval)
        return true;
    return call(m_lastPercent);
}

int ConversionProgress::statusOf(int status) const
{
    if (m_cancelled && status != LV_OK)
        return UD_CANCELLED;
    return status;
}

StatementWatch::StatementWatch(sqlite3* connection, ConversionProgress& progress) : m_connection(connection)
{
    if (m_connection)
        sqlite3_progress_handler(m_connection, kStepsBetweenTicks, onStatementSteps, &progress);
}

StatementWatch::~StatementWatch()
{
    if (m_connection)
        sqlite3_progress_handler(m_connection, 0, nullptr, nullptr);
}

} // namespace lexvane::engine::exchange
