#include "InstalledUser.h"

#include "GuiUser.h"

#include <algorithm>
#include <vector>

namespace shell {

namespace {

std::vector<User*>& installedUsers()
{
    static std::vector<User*> users;
    return users;
}

} // namespace

InstalledUser::InstalledUser()
{
    installedUsers().push_back(this);
}

InstalledUser::~InstalledUser()
{
    auto& users = installedUsers();
    users.erase(std::remove(users.begin(), users.end(), this), users.end());
}

User& currentUser()
{
    const auto& users = installedUsers();
    if (!users.empty())
        return *users.back();
    static GuiUser gui;
    return gui;
}

} // namespace shell
