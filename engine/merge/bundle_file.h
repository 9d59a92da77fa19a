// bundle_file.h: reading bundle files, the ".prc" containers that list the
// dictionaries a product installs together and name the bundle.
//
// Every length comes from the file and is checked against the resource
// that holds it: a count larger than its table, or a name without an end,
// never leads a read outside the resource. See docs/formats/bundle.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine {

struct BundleComponent {
    std::int32_t id = 0;      // packed dictionary id
    std::uint8_t flags = 0;
};

// The components of the bundle `path`. Status 0, a container status,
// LV_NOT_PRESENT when "HEAD" 0 or "COMP" 0 is missing or holds fewer
// entries than the count in "HEAD" 0.
int readBundleComponents(std::string_view path, std::vector<BundleComponent>& components);

// The bundle's name for the interface language `language` (packed code):
// the first "LANG" resource of that code, else the one of code 0, else the
// default name of "HEAD" 0 widened byte by byte. Status 0, a container
// status, LV_NOT_PRESENT without "HEAD" 0.
int readBundleName(std::string_view path, std::int32_t language, std::u16string& name);

} // namespace lexvane::engine
