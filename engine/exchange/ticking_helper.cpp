// ticking_helper.cpp: forwarding, and a tick every few thousand compares.
#include "exchange/ticking_helper.h"

#include "userdic/trivial_helper.h"

namespace lexvane::engine::exchange {

namespace {

constexpr unsigned kComparisonsBetweenTicks = 4096;

template <typename Operation>
void take(const UDHelper* caller, Operation UDHelper::*slot, UDHelper& inner, void*& context)
{
    if (caller && caller->*slot) {
        inner.*slot = caller->*slot;
        context = caller->context;
    } else {
        inner.*slot = userdic::trivialHelper().*slot;
        context = userdic::trivialHelper().context;
    }
}

TickingHelper& from(void* self)
{
    return *static_cast<TickingHelper*>(self);
}

} // namespace

TickingHelper::TickingHelper(const UDHelper* caller, ConversionProgress& progress) : m_progress(progress)
{
    take(caller, &UDHelper::compare, m_inner, m_innerContext[0]);
    take(caller, &UDHelper::compareN, m_inner, m_innerContext[1]);
    take(caller, &UDHelper::upper, m_inner, m_innerContext[2]);
    take(caller, &UDHelper::lower, m_inner, m_innerContext[3]);
    take(caller, &UDHelper::dropLast, m_inner, m_innerContext[4]);
    take(caller, &UDHelper::toWide, m_inner, m_innerContext[5]);
    take(caller, &UDHelper::toNarrow, m_inner, m_innerContext[6]);
    take(caller, &UDHelper::nextWord, m_inner, m_innerContext[7]);
    m_helper = UDHelper{this, compare, compareN, upper, lower, dropLast, toWide, toNarrow, nextWord};
}

void TickingHelper::tick()
{
    if (++m_comparisons % kComparisonsBetweenTicks == 0)
        m_progress.tick();
}

int TickingHelper::compare(void* self, const char16_t* a, const char16_t* b)
{
    TickingHelper& h = from(self);
    h.tick();
    return h.m_inner.compare(h.m_innerContext[0], a, b);
}

int TickingHelper::compareN(void* self, const char16_t* a, const char16_t* b, std::int32_t n)
{
    TickingHelper& h = from(self);
    h.tick();
    return h.m_inner.compareN(h.m_innerContext[1], a, b, n);
}

void TickingHelper::upper(void* self, char16_t* s)
{
    TickingHelper& h = from(self);
    h.m_inner.upper(h.m_innerContext[2], s);
}

void TickingHelper::lower(void* self, char16_t* s)
{
    TickingHelper& h = from(self);
    h.m_inner.lower(h.m_innerContext[3], s);
}

std::int32_t TickingHelper::dropLast(void* self, char16_t* s)
{
    TickingHelper& h = from(self);
    return h.m_inner.dropLast(h.m_innerContext[4], s);
}

int TickingHelper::toWide(void* self, const char* source, char16_t* target, std::int32_t max, std::int32_t codePage)
{
    TickingHelper& h = from(self);
    return h.m_inner.toWide(h.m_innerContext[5], source, target, max, codePage);
}

int TickingHelper::toNarrow(void* self, const char16_t* source, char* target, std::int32_t max,
                            std::int32_t codePage)
{
    TickingHelper& h = from(self);
    return h.m_inner.toNarrow(h.m_innerContext[6], source, target, max, codePage);
}

const char16_t* TickingHelper::nextWord(void* self, const char16_t* source, char16_t* target, std::int32_t max)
{
    TickingHelper& h = from(self);
    return h.m_inner.nextWord(h.m_innerContext[7], source, target, max);
}

} // namespace lexvane::engine::exchange
