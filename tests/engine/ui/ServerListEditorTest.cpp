#include "engine/ui/ServerListEditor.h"
#include "engine/ui/ListBoxSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velarin {
namespace {

using Names = std::vector<std::string>;
using AddCheck = ServerListEditor::AddCheck;

TEST(ListBoxSearch, SortsIgnoringCaseAndSearchesByPrefixFromAfterTheGivenItem)
{
    EXPECT_LT(CompareNoCase("Alpha", "beta"), 0);
    EXPECT_GT(CompareNoCase("beta", "ALPHA"), 0);
    EXPECT_EQ(CompareNoCase("Time.NIST.gov", "time.nist.GOV"), 0);
    EXPECT_LT(CompareNoCase("time", "time-a"), 0); // a prefix sorts first
    // Equal names go after the listed ones.
    const Names sorted { "alpha", "Beta", "gamma" };
    const std::pair<const char*, size_t> inserts[]
        = { { "a", 0 }, { "BETA", 2 }, { "delta", 2 }, { "zulu", 3 } };
    for (auto [name, at] : inserts)
        EXPECT_EQ(SortedInsertPosition(sorted, name), at) << name;
    EXPECT_EQ(SortedInsertPosition({}, "any"), 0u);

    // Past "Time-c" the search wraps round to the top; the start item is searched last; a start
    // beyond the list searches from the top; an empty name names no server.
    const Names items { "time-a", "time-b", "Time-c", "other" };
    const std::tuple<const char*, int, int> prefixes[] = { { "time", -1, 0 }, { "TIME", 0, 1 },
        { "time", 2, 0 }, { "time-c", 2, 2 }, { "time-a", 0, 0 }, { "time-d", -1, -1 },
        { "time-a-longer", -1, -1 }, { "time", 99, 0 }, { "", -1, -1 } };
    for (auto [prefix, start, found] : prefixes)
        EXPECT_EQ(FindStringPrefix(items, prefix, start), found) << prefix << " " << start;
    EXPECT_EQ(FindStringPrefix({}, "time", -1), -1);

    // A whole name is found before any longer one; without one, the prefix search.
    const Names servers { "ntp1", "ntp1.example.org", "ntp2" };
    const std::pair<const char*, int> names[]
        = { { "ntp1", 0 }, { "NTP1.example.org", 1 }, { "ntp", 1 }, { "ntp3", -1 }, { "", -1 } };
    for (auto [name, found] : names)
        EXPECT_EQ(FindServerInList(servers, name), found) << name;
}

TEST(ServerListEditor, StartsSortedWithTheFirstItemSelected)
{
    const ServerListEditor editor(Names { "zeta", "Alpha", "beta" });
    EXPECT_EQ(editor.Items(), (Names { "Alpha", "beta", "zeta" }));
    EXPECT_EQ(editor.Selection(), 0);
    EXPECT_EQ(ServerListEditor().Selection(), -1);
}

TEST(ServerListEditor, AddingKeepsTheOrderAndSelectsTheNewName)
{
    ServerListEditor editor(Names { "b.example", "d.example" });
    EXPECT_EQ(editor.CheckAdd("c.example"), AddCheck::Add);
    EXPECT_EQ(editor.Add("c.example"), 1);
    EXPECT_EQ(editor.Selection(), 1);
    editor.Add("a.example");
    EXPECT_EQ(editor.Items(), (Names { "a.example", "b.example", "c.example", "d.example" }));
}

TEST(ServerListEditor, BeginningOfAListedNameOrOtherCaseAsksFirst)
{
    const ServerListEditor editor(Names { "time-a-g.nist.gov" });
    EXPECT_EQ(editor.CheckAdd("time-a"), AddCheck::Duplicate);
    EXPECT_EQ(editor.CheckAdd("TIME-A-G.NIST.GOV"), AddCheck::Duplicate);
    EXPECT_EQ(editor.CheckAdd("time-a-g.nist.gov.example"), AddCheck::Add);
    EXPECT_EQ(editor.CheckAdd("time-b"), AddCheck::Add);
}

TEST(ServerListEditor, TwentyFiveNamesFillTheListWhateverIsTyped)
{
    Names names;
    for (int i = 0; i < 30; ++i)
        names.push_back("server" + std::to_string(100 + i));
    ServerListEditor editor(names);
    EXPECT_EQ(editor.Count(), 25); // a longer list is cut at 25
    EXPECT_EQ(editor.CheckAdd("server100"), AddCheck::Full); // listed, still "full"
    EXPECT_EQ(editor.CheckAdd("new"), AddCheck::Full);
    EXPECT_EQ(editor.Add("new"), -1);
    EXPECT_EQ(editor.Count(), 25);

    editor.Select(3);
    editor.Remove();
    EXPECT_EQ(editor.CheckAdd("new"), AddCheck::Add);
}

TEST(ServerListEditor, RemoveSelectsTheNextItemOrThePreviousAfterTheLast)
{
    ServerListEditor editor(Names { "a", "b", "c" });
    editor.Select(1);
    editor.Remove();
    EXPECT_EQ(editor.Items(), (Names { "a", "c" }));
    EXPECT_EQ(editor.Selection(), 1);
    editor.Remove(); // the last item: the one before is selected
    EXPECT_EQ(editor.Items(), (Names { "a" }));
    EXPECT_EQ(editor.Selection(), 0);
    editor.Remove();
    EXPECT_EQ(editor.Count(), 0);
    EXPECT_EQ(editor.Selection(), -1);
    editor.Remove(); // nothing selected: nothing happens
    EXPECT_EQ(editor.Count(), 0);

    ServerListEditor other(Names { "a", "b" });
    other.Select(-1);
    other.Remove();
    EXPECT_EQ(other.Count(), 2);
    other.Select(7); // out of range: no selection
    EXPECT_EQ(other.Selection(), -1);
}

} // namespace
} // namespace velarin
