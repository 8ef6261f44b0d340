#pragma once

// The SQL behind Index and Seek: a Jet index's order, and the query that finds the row a Seek
// lands on. Orders follow SQLite's, which the view of the recordset uses too: Null before any
// value in an ascending column, after them in a descending one; ties by table order.

#include "jet/schema/TableSchema.h"
#include "Recordset.h"

#include <QString>

namespace jet::detail {

class RecordSource;

// "col1, col2 DESC" for the index's columns; reversed turns every direction around.
QString indexOrderSql(const IndexSchema& index, const RecordSource& source, bool reversed);

// SELECT rowid and every field of the rows the Seek may land on, the one to land on first:
// ?1..?keyCount are the key values for the leading keyCount columns of the index.
QString seekSql(const IndexSchema& index, const RecordSource& source, int keyCount,
                SeekOption option);

} // namespace jet::detail
