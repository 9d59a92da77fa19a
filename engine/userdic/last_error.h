// last_error.h: the message of the last SQLite failure, kept per thread.
//
// Import and export run user-dictionary work on a thread of their own; a
// message kept per thread means that neither thread can overwrite or read
// half of the other's text. The message is cut to 1024 bytes.
#pragma once

#include <string>

namespace lexvane::engine::userdic {

inline constexpr std::size_t kLastErrorLimit = 1024;

void setLastError(const char* message);
const std::string& lastError();

} // namespace lexvane::engine::userdic
