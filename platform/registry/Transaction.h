#pragma once

// Many registry changes as one: between beginTransaction() and commitTransaction() every write
// of this process goes into one store transaction, so all of them are kept or none (an import
// of a registry file). Reads in between see the changes made so far. Other processes that write
// wait until the transaction ends; writes of other threads of this process in between join it.

#include "Registry.h"

namespace reg {

Status beginTransaction();
// Keeps every change since beginTransaction(). When one of them failed, or the commit itself
// fails, nothing is kept and the result is an error with its reason in lastErrorText().
Status commitTransaction();
// Drops every change since beginTransaction().
void rollbackTransaction();

} // namespace reg
