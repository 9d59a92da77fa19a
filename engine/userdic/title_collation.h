// title_collation.h: the collation "VXNSORT" that orders user-dictionary
// titles by the helper's compare.
//
// The collation is not stored in the file; every connection registers it
// before its first statement. SQLite hands each key as bytes with a length
// and without a terminator: the keys are copied and terminated before the
// helper sees them, and nothing past the given length is read.
#pragma once

namespace lexvane::engine::userdic {

inline constexpr const char* kCollationName = "VXNSORT";

// The collation function; `helper` is the connection's HelperCalls.
int compareKeys(void* helper, int lengthA, const void* a, int lengthB, const void* b);

} // namespace lexvane::engine::userdic
