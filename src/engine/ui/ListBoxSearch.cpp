#include "engine/ui/ListBoxSearch.h"

#include <algorithm>

namespace velarin {
namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
        [](char a, char b) { return Lower(a) == Lower(b); });
}

} // namespace

int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(Lower(a[i]));
        const auto right = static_cast<unsigned char>(Lower(b[i]));
        if (left != right)
            return left < right ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

size_t SortedInsertPosition(const std::vector<std::string>& items, std::string_view text)
{
    const auto place = std::upper_bound(
        items.begin(), items.end(), text, [](std::string_view value, const std::string& item) {
            return CompareNoCase(value, item) < 0;
        });
    return static_cast<size_t>(place - items.begin());
}

int FindStringPrefix(const std::vector<std::string>& items, std::string_view text, int startAfter)
{
    const int count = static_cast<int>(items.size());
    if (text.empty() || count == 0)
        return -1;
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (StartsWithNoCase(items[static_cast<size_t>(index)], text))
            return index;
    }
    return -1;
}

int FindServerInList(const std::vector<std::string>& items, std::string_view server)
{
    if (server.empty())
        return -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (CompareNoCase(items[i], server) == 0)
            return static_cast<int>(i);
    }
    return FindStringPrefix(items, server, 0);
}

} // namespace velarin
