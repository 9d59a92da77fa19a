// bundle_writer.cpp: the resources of a bundle file.
#include "bundle_writer.h"

namespace lexvane::tools {

namespace {

constexpr std::size_t kHeadNameOffset = 16;

bool addResource(PrcWriter& out, const char* type, std::uint16_t id, std::vector<std::uint8_t> body,
                 std::string& error)
{
    if (out.add(type, id, std::move(body)))
        return true;
    error = std::string("resource too large: ") + type;
    return false;
}

} // namespace

bool writeBundle(const BundleSource& source, PrcWriter& out, std::string& error)
{
    if (source.components.size() > 0xFFFF) {
        error = "too many components";
        return false;
    }
    std::vector<std::uint8_t> head(kHeadNameOffset, 0);
    head[12] = static_cast<std::uint8_t>(source.components.size() >> 8);
    head[13] = static_cast<std::uint8_t>(source.components.size());
    head.insert(head.end(), source.defaultName.begin(), source.defaultName.end());
    head.push_back(0);
    if (!addResource(out, "HEAD", 0, std::move(head), error))
        return false;

    std::vector<std::uint8_t> table;
    for (const BundleSource::Component& component : source.components) {
        if (component.id.size() != 4) {
            error = "component id is not four characters: " + component.id;
            return false;
        }
        table.insert(table.end(), component.id.begin(), component.id.end());
        table.push_back(component.flags);
        table.insert(table.end(), 3, 0);
    }
    if (!addResource(out, "COMP", 0, std::move(table), error))
        return false;

    for (std::size_t k = 0; k < source.names.size(); ++k) {
        const BundleSource::Name& name = source.names[k];
        if (name.language.size() != 4) {
            error = "language code is not four characters: " + name.language;
            return false;
        }
        std::vector<std::uint8_t> body(name.language.begin(), name.language.end());
        for (char16_t unit : name.name) {
            body.push_back(static_cast<std::uint8_t>(unit));
            body.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        body.push_back(0);
        body.push_back(0);
        if (!addResource(out, "LANG", static_cast<std::uint16_t>(k), std::move(body), error))
            return false;
    }
    return true;
}

} // namespace lexvane::tools
