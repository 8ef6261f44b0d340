#include "UpdateChains.h"

namespace updater {

void UpdateChains::add(DatabaseKind kind, std::int16_t version, UpdateProcedure first)
{
    m_first[{kind, version}] = std::move(first);
}

const UpdateProcedure* UpdateChains::firstUpdate(DatabaseKind kind, std::int16_t version) const
{
    const auto found = m_first.find({kind, version});
    return found == m_first.end() ? nullptr : &found->second;
}

std::optional<UpdateChains::VersionRange> UpdateChains::knownVersions(DatabaseKind kind) const
{
    std::optional<VersionRange> range;
    for (const auto& [key, procedure] : m_first) {
        if (key.first != kind)
            continue;
        if (!range)
            range = VersionRange{key.second, key.second};
        range->current = static_cast<std::int16_t>(key.second + 1);
    }
    return range;
}

} // namespace updater
