#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarin {

// The searches and the order of the program's sorted lists of server names (the server list
// dialog's list box and the network page's combo box). Letters compare without regard to case.

// Negative, zero or positive as a sorts before, with or after b, ignoring letter case.
int CompareNoCase(std::string_view a, std::string_view b);

// Where a sorted list takes a new item: after every item that sorts before it or with it.
size_t SortedInsertPosition(const std::vector<std::string>& items, std::string_view text);

// The first item, searching from the one after startAfter and wrapping round to it, that begins
// with text (letter case ignored); startAfter -1 searches from the top. -1 when none does, or
// when text is empty: an empty name stands for no server.
int FindStringPrefix(const std::vector<std::string>& items, std::string_view text, int startAfter);

// The item that names the server: one that equals it (letter case ignored) if the list holds
// one, otherwise the prefix search above starting after item 0. Without the exact match first,
// "ntp1" would show "ntp1.example.org" whenever both are listed.
int FindServerInList(const std::vector<std::string>& items, std::string_view server);

} // namespace velarin
