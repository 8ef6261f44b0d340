#pragma once

// libmdb's header, for the .cpp files of the importer only. It wraps glib's C++-aware headers
// in extern "C", so those come first, on their own.

#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>
