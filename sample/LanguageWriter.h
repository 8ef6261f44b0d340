#pragma once

// The language database's content: English texts for the caption keys ("d_...") of the
// suite's reports and windows, read from the resource resources/english.txt (one text a line:
// section, key and text separated by tabs).

namespace jet {
class Connection;
}

namespace sample {

// Into a database made from the "language" script. Returns the number of texts written.
int writeLanguage(jet::Connection& connection);

} // namespace sample
