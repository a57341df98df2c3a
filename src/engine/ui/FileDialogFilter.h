#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarin {

// A file dialog filter written as "Description|patterns|Description|patterns||" (patterns split
// by ';') turned into one "Description (patterns)" entry per pair, patterns split by blanks, the
// form the toolkit's file dialog reads. A description that already ends with its patterns in
// brackets is kept as it is. A trailing description without patterns is dropped.
std::vector<std::string> FileDialogNameFilters(std::string_view filter);

} // namespace velarin
