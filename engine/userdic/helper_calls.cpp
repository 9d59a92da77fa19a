// helper_calls.cpp: forwarding to the caller's helper, with the default
// helper standing in for what the caller left out.
#include "userdic/helper_calls.h"

#include "userdic/trivial_helper.h"

namespace lexvane::engine::userdic {

namespace {
template <typename Operation>
Operation pick(const UDHelper* helper, Operation UDHelper::*slot, void*& context)
{
    if (helper && helper->*slot) {
        context = helper->context;
        return helper->*slot;
    }
    context = nullptr;
    return trivialHelper().*slot;
}
} // namespace

void HelperCalls::reset(const UDHelper* helper)
{
    m_helper = helper;
}

int HelperCalls::compare(const char16_t* a, const char16_t* b) const
{
    void* context = nullptr;
    return pick(m_helper, &UDHelper::compare, context)(context, a, b);
}

int HelperCalls::compareN(const char16_t* a, const char16_t* b, std::int32_t n) const
{
    void* context = nullptr;
    return pick(m_helper, &UDHelper::compareN, context)(context, a, b, n);
}

void HelperCalls::upper(char16_t* s) const
{
    void* context = nullptr;
    pick(m_helper, &UDHelper::upper, context)(context, s);
}

const char16_t* HelperCalls::nextWord(const char16_t* source, char16_t* target, std::int32_t max) const
{
    void* context = nullptr;
    return pick(m_helper, &UDHelper::nextWord, context)(context, source, target, max);
}

std::int32_t HelperCalls::firstCharacterKey(std::u16string_view title) const
{
    if (title.empty() || title[0] == 0)
        return 0;
    char16_t one[2] = {title[0], 0};
    upper(one);
    return one[0];
}

} // namespace lexvane::engine::userdic
