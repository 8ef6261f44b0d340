// Prints what the running program reads as its own company name, in brackets so that an
// empty name is visible.
#include "VersionInfo.h"

#include <cstdio>

int main()
{
    std::printf("[%s]\n", verinfo::ownCompanyName().toUtf8().constData());
    return 0;
}
