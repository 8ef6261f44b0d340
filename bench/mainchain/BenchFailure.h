#pragma once

// How the main chain bench stops on anything unexpected: the message on stderr, exit status 1.

#include <cstdio>
#include <cstdlib>
#include <QString>

namespace mainchain {

[[noreturn]] inline void fail(const QString& what)
{
    std::fprintf(stderr, "main_chain_bench: %s\n", qPrintable(what));
    std::exit(1);
}

} // namespace mainchain
