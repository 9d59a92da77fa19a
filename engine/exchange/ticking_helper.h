// ticking_helper.h: the caller's text services, with progress on the side.
//
// SQLite sorts titles (the rebuild of the title order) inside one step of
// a statement, calling only the collation, so the statement watch hears
// nothing for as long as the sort runs. This helper forwards every
// operation to the caller's helper (or, for what the caller leaves out, to
// the default one) and lets the conversion report progress every few
// thousand comparisons, so that the caller still hears every 100 ms.
// Invariant: the caller's operations see the caller's own context.
#pragma once

#include "exchange/conversion_progress.h"
#include "lexvane_engine.h"

namespace lexvane::engine::exchange {

class TickingHelper {
public:
    TickingHelper(const UDHelper* inner, ConversionProgress& progress);
    TickingHelper(const TickingHelper&) = delete;
    TickingHelper& operator=(const TickingHelper&) = delete;

    UDHelper* helper() { return &m_helper; }

private:
    static int compare(void* self, const char16_t* a, const char16_t* b);
    static int compareN(void* self, const char16_t* a, const char16_t* b, std::int32_t n);
    static void upper(void* self, char16_t* s);
    static void lower(void* self, char16_t* s);
    static std::int32_t dropLast(void* self, char16_t* s);
    static int toWide(void* self, const char* source, char16_t* target, std::int32_t max, std::int32_t codePage);
    static int toNarrow(void* self, const char16_t* source, char* target, std::int32_t max, std::int32_t codePage);
    static const char16_t* nextWord(void* self, const char16_t* source, char16_t* target, std::int32_t max);

    void tick();

    UDHelper m_helper{};
    // Each operation of the caller's helper, or of the default one, with
    // the context it expects.
    UDHelper m_inner{};
    void* m_innerContext[8] = {};
    ConversionProgress& m_progress;
    unsigned m_comparisons = 0;
};

} // namespace lexvane::engine::exchange
