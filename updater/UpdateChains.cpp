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

} // namespace updater
