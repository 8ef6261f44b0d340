#pragma once

// A page as bytes and back, for the page document's disk cache.

#include "platform/reportengine/page/Page.h"

#include <QByteArray>

namespace report {

QByteArray serializePage(const Page& page);
// The page written by serializePage. Raises vb::Error 75 when the bytes are not one.
Page deserializePage(const QByteArray& bytes);

} // namespace report
