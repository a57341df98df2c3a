#pragma once

namespace velarin::tool {

// True when nobody is left to read what is written to `fd`: a pipe whose reader has closed it,
// a terminal that has hung up. A file or /dev/null always has its reader.
bool ReaderGone(int fd);

} // namespace velarin::tool
