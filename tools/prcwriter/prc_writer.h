// prc_writer.h: writing ".prc" resource containers.
//
// Resources are written in the order they were added, bodies after the
// directory, so that offsets ascend as readers expect. The database header
// carries the container's name, type and creator; the engine does not read
// it. See docs/formats/prc-container.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::tools {

class PrcWriter {
public:
    // Largest body a resource may have: sizes are 16-bit in the container.
    static constexpr std::size_t kMaximumResourceSize = 65535;

    struct Resource {
        std::string type; // four characters
        std::uint16_t id;
        std::vector<std::uint8_t> body;
    };

    explicit PrcWriter(std::string databaseName = "Lexvane", std::string databaseType = "Dict",
                       std::string creator = "Lxvn");

    // Adds a resource; false (and nothing added) when the type is not four
    // characters or the body is larger than kMaximumResourceSize.
    bool add(std::string_view type, std::uint16_t id, std::vector<std::uint8_t> body);

    const std::vector<Resource>& resources() const { return m_resources; }

    // The whole file.
    std::vector<std::uint8_t> bytes() const;

    // Writes the file; false with `error` set on failure.
    bool write(const std::string& path, std::string& error) const;

private:
    std::string m_databaseName;
    std::string m_databaseType;
    std::string m_creator;
    std::vector<Resource> m_resources;
};

} // namespace lexvane::tools
