// body_merge.h: joining an imported article to a stored one of the same
// title.
//
// The runs of the new body (after its headword segment) are appended to the
// stored body behind a line break. Invariant: the result is well-formed
// markup within its room: runs are taken whole, never cut, and the last run
// is always closed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexvane::engine::exchange {

void mergeBodies(std::u16string_view stored, std::u16string_view added, std::size_t room, std::u16string& out);

} // namespace lexvane::engine::exchange
