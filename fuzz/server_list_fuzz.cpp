// Any bytes as what a user types into the network page: each line is a server name added to the
// server list editor (or, starting with '-', a removal), and a port field's text. The list stays
// sorted, never holds more than 25 names, keeps its selection inside it, and every name the
// searches find begins with what was searched; the port reads as the number that the text spells
// or 0.
#include "engine/ui/DialogFieldInt.h"
#include "engine/ui/ListBoxSearch.h"
#include "engine/ui/ServerListEditor.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The field's number by another road: strtoll over the trimmed text.
int ReferenceFieldInt(std::string text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.erase(0, 1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    if (text.empty() || text.size() > 15 || text.find('\0') != std::string::npos)
        return 0;
    const size_t digits = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (digits == text.size())
        return 0;
    for (size_t i = digits; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
    }
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return (value < -2147483648LL || value > 2147483647LL) ? 0 : static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace velarin;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ServerListEditor editor;
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string_view::npos)
            end = input.size();
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;

        Check(line.size() > 15 || DialogFieldInt(line) == ReferenceFieldInt(std::string(line)));
        if (!line.empty() && line[0] == '-') {
            editor.Select(static_cast<int>(line.size()) % (editor.Count() + 1));
            editor.Remove();
        } else if (editor.CheckAdd(line) != ServerListEditor::AddCheck::Full) {
            editor.Add(std::string(line));
        }

        const auto& items = editor.Items();
        Check(editor.Count() <= ServerListEditor::kMaxServers);
        Check(editor.Selection() >= -1 && editor.Selection() < editor.Count());
        for (size_t i = 1; i < items.size(); ++i)
            Check(CompareNoCase(items[i - 1], items[i]) <= 0);
        const int found = FindServerInList(items, line);
        Check(found == -1
            || (found < editor.Count() && items[static_cast<size_t>(found)].size() >= line.size()));
        Check(found == -1
            || CompareNoCase(items[static_cast<size_t>(found)].substr(0, line.size()), line) == 0);
    }
    return 0;
}
