#include "BirthTime.h"

namespace analyser {

qint64 milliseconds(const statx_timestamp& stamp)
{
    return static_cast<qint64>(stamp.tv_sec) * 1000 + stamp.tv_nsec / 1000000;
}

qint64 creationMilliseconds(const struct statx& facts)
{
    const bool hasBirthTime = (facts.stx_mask & STATX_BTIME) != 0 &&
                              (facts.stx_btime.tv_sec != 0 || facts.stx_btime.tv_nsec != 0);
    return milliseconds(hasBirthTime ? facts.stx_btime : facts.stx_ctime);
}

} // namespace analyser
