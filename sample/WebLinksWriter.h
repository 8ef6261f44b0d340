#pragma once

// The weblinks database's content at version 1: links from the master list (numbered) and the
// user's own (master number 0), with two addresses entered twice, which WebLinks update 4
// removes. No two addresses differ only in letter case: the unique index that update 4 creates
// afterwards would refuse them.

namespace jet {
class Connection;
}

namespace sample {

void writeWebLinks(jet::Connection& connection);

} // namespace sample
