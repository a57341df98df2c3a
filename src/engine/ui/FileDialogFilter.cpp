#include "engine/ui/FileDialogFilter.h"

#include <algorithm>

namespace velarin {

std::vector<std::string> FileDialogNameFilters(std::string_view filter)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start < filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t end = bar == std::string_view::npos ? filter.size() : bar;
        // An empty part ends the list ("||").
        if (end == start)
            break;
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }

    std::vector<std::string> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string_view description = parts[i];
        std::string patterns(parts[i + 1]);
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        const std::string bracketed = "(" + patterns + ")";
        if (description.ends_with(bracketed))
            filters.emplace_back(description);
        else
            filters.push_back(std::string(description) + " " + bracketed);
    }
    return filters;
}

} // namespace velarin
