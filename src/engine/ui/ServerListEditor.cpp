#include "engine/ui/ServerListEditor.h"

#include "engine/ui/ListBoxSearch.h"

namespace velarin {

ServerListEditor::ServerListEditor(const std::vector<std::string>& servers)
{
    for (const std::string& server : servers) {
        if (Count() == kMaxServers)
            break;
        items_.insert(
            items_.begin() + static_cast<std::ptrdiff_t>(SortedInsertPosition(items_, server)),
            server);
    }
    Select(0);
}

ServerListEditor::AddCheck ServerListEditor::CheckAdd(std::string_view name) const
{
    if (Count() >= kMaxServers)
        return AddCheck::Full;
    if (FindStringPrefix(items_, name, -1) >= 0)
        return AddCheck::Duplicate;
    return AddCheck::Add;
}

int ServerListEditor::Add(std::string name)
{
    if (Count() >= kMaxServers)
        return -1;
    const size_t place = SortedInsertPosition(items_, name);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(place), std::move(name));
    selection_ = static_cast<int>(place);
    return selection_;
}

void ServerListEditor::Remove()
{
    if (selection_ < 0)
        return;
    items_.erase(items_.begin() + selection_);
    Select(selection_ < Count() ? selection_ : selection_ - 1);
}

void ServerListEditor::Select(int index)
{
    selection_ = (index >= 0 && index < Count()) ? index : -1;
}

} // namespace velarin
