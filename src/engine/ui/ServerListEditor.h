#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarin {

// The rules of the server list dialog, apart from its windows: a list kept in alphabetical order
// (letter case ignored) with at most 25 names and one selected item.
class ServerListEditor {
public:
    static constexpr int kMaxServers = 25;

    // What pressing "Add" with a name does.
    enum class AddCheck {
        Add, // the name goes in
        Full, // the list already holds 25 names (whatever the name)
        Duplicate, // a listed name begins with it: ask first
    };

    // Sorts the names in and selects the first (no selection when there is none).
    explicit ServerListEditor(const std::vector<std::string>& servers = {});

    AddCheck CheckAdd(std::string_view name) const;
    // Inserts at the sorted place and selects the new item; its index. Nothing happens (and -1
    // is returned) when the list is full.
    int Add(std::string name);
    // Deletes the selected item and selects the one now at its place, or the one before when it
    // was the last. Nothing when no item is selected.
    void Remove();

    void Select(int index); // -1 or out of range: no selection
    int Selection() const { return selection_; }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
    int selection_ = -1;
};

} // namespace velarin
