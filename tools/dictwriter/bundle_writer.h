// bundle_writer.h: writing bundle files, the ".prc" containers that list
// the dictionaries a product installs together and the bundle's names.
// Layout: docs/formats/bundle.md.
#pragma once

#include "prc_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexvane::tools {

struct BundleSource {
    struct Component {
        std::string id;          // four characters
        std::uint8_t flags = 0;  // bit 2: not installed by default; bit 1: the second flag
    };
    struct Name {
        std::string language;    // four characters; four zero bytes stand for code 0
        std::u16string name;
    };
    std::string defaultName;     // 8-bit
    std::vector<Component> components;
    std::vector<Name> names;     // "LANG" 0, 1, ... in this order
};

// Writes "HEAD" 0, "COMP" 0 and the "LANG" resources. False with `error`
// set for an id or language that is not four characters, more than 65535
// components, or a resource too large.
bool writeBundle(const BundleSource& source, PrcWriter& out, std::string& error);

} // namespace lexvane::tools
