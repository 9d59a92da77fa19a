// last_error.cpp: the per-thread last-error text.
#include "userdic/last_error.h"

namespace lexvane::engine::userdic {

namespace {
thread_local std::string t_lastError;
}

void setLastError(const char* message)
{
    t_lastError.assign(message ? message : "");
    if (t_lastError.size() > kLastErrorLimit)
        t_lastError.resize(kLastErrorLimit);
}

const std::string& lastError()
{
    return t_lastError;
}

} // namespace lexvane::engine::userdic
