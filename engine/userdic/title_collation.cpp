// title_collation.cpp: copying, terminating and comparing collation keys.
#include "userdic/title_collation.h"

#include "common/byte_order.h"
#include "userdic/helper_calls.h"

#include <array>
#include <string>

namespace lexvane::engine::userdic {

namespace {

// A terminated copy of a UTF-16LE key; short keys stay on the stack.
class Key {
public:
    Key(const void* data, int length)
    {
        const std::size_t units = length > 0 ? static_cast<std::size_t>(length) / 2 : 0;
        char16_t* target = m_small.data();
        if (units >= m_small.size()) {
            m_large.resize(units + 1);
            target = m_large.data();
        }
        const auto* p = static_cast<const std::uint8_t*>(data);
        for (std::size_t i = 0; i < units; ++i)
            target[i] = static_cast<char16_t>(bytes::readLittleEndian16(p + 2 * i));
        target[units] = 0;
        m_text = target;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    const char16_t* text() const { return m_text; }

private:
    std::array<char16_t, 264> m_small;
    std::u16string m_large;
    const char16_t* m_text = nullptr;
};

} // namespace

int compareKeys(void* helper, int lengthA, const void* a, int lengthB, const void* b)
{
    const Key keyA(a, lengthA);
    const Key keyB(b, lengthB);
    const int order = static_cast<const HelperCalls*>(helper)->compare(keyA.text(), keyB.text());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace lexvane::engine::userdic
