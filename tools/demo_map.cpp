#include "tools/demo_map.h"

#include "tools/map_builder.h"

#include <stdexcept>

namespace quorvell::tools {

std::string demoMapBytes(const std::vector<DemoRecord>& records, std::size_t tailBytes) {
    MapBuilder builder;
    for (const auto& record : records) {
        if (record.name.empty()) {
            throw std::invalid_argument("an empty name would end the demo map's table");
        }
        builder.record(record.kind, record.name);
    }
    // A wholly NUL name window: the end of the table.
    builder.record(kTextureKind, {});
    return builder.tail(tailBytes).bytes();
}

} // namespace quorvell::tools
