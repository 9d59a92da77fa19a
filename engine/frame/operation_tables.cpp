// operation_tables.cpp: choosing the operation table by file name.
#include "frame/dictionary_ops.h"

#include <cctype>

namespace lexvane::engine {

bool isUserDictionaryPath(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return false;
    const std::string_view extension = path.substr(dot);
    if (extension.size() != 4)
        return false;
    const char* expected = ".udd";
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(extension[i])) != expected[i])
            return false;
    return true;
}

const DictionaryOps& operationsForPath(std::string_view path)
{
    return isUserDictionaryPath(path) ? userDictionaryOps() : compiledDictionaryOps();
}

} // namespace lexvane::engine
