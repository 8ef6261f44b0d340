#pragma once

// One run of a sub-report inside a section of its parent: its own events and data, its
// sections stacked into one band at the container's place and width (a sub-report has no
// pages of its own; the parent's paginator cuts the band where pages end).

#include "platform/reportengine/generate/Band.h"

namespace report {

class GenerationContext;
class Report;

Band runSubReport(GenerationContext& context, Report& subReport, Report& parent, int xOrigin,
                  int width);

} // namespace report
