#pragma once

// A user that takes over the seam for its own lifetime (RAII). Installations nest; destroying
// one in any order removes just that one.

#include "User.h"

namespace shell {

class InstalledUser : public User
{
public:
    InstalledUser();
    ~InstalledUser() override;
};

} // namespace shell
