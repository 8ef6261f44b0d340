#pragma once

// The frame every numbered update runs in: its work under one error trap, then its own number
// stored as the database's version, and only then the next update of the chain. A failure
// anywhere (the version write included) is recorded in the run state and ends the chain there,
// with the version left at the last update that completed.

#include "updater/RunState.h"

#include <cstdint>
#include <functional>
#include <QString>

namespace updater {

struct ChainedUpdate
{
    DatabaseKind database;
    std::int16_t number; // the version the update brings the database to
    QString procedure;   // recorded as the source of errors that carry none
    QString title;       // the progress line's title
    std::uint8_t steps;  // the progress line's step count
};

// Shows step 1 of the update's steps, runs `body` and stores the version; then calls `next`
// (when given) if nothing failed.
void runChainedUpdate(RunState& state, const ChainedUpdate& update,
                      const std::function<void()>& body, void (*next)(RunState&));

// The progress line for a later step of the running update.
void showStep(const ChainedUpdate& update, std::uint8_t step);

} // namespace updater
