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

UpdateChains UpdateChains::standard()
{
    UpdateChains chains;
    // Each chain's procedures are added here, one entry per version they start from:
    //   main wine database 3..10 -> "Main Database Update" (version + 1), up to 11;
    //   settings database 3..17 -> "Settings Database Update" (version + 1), up to 18;
    //   weblinks database 1..3 -> "WebLinks Database Update" (version + 1), up to 4.
    // Until they are, every version counts as current.
    return chains;
}

} // namespace updater
