#include "engine/ui/ServerListEditor.h"
#include "engine/ui/ListBoxSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velarin {
namespace {

using Names = std::vector<std::string>;
using AddCheck = ServerListEditor::AddCheck;

TEST(ListBoxSearch, SortsIgnoringCaseAndPlacesEqualNamesAfterTheListedOnes)
{
    EXPECT_LT(CompareNoCase("Alpha", "beta"), 0);
    EXPECT_GT(CompareNoCase("beta", "ALPHA"), 0);
    EXPECT_EQ(CompareNoCase("Time.NIST.gov", "time.nist.GOV"), 0);
    EXPECT_LT(CompareNoCase("time", "time-a"), 0); // a prefix sorts first

    const Names items { "alpha", "Beta", "gamma" };
    EXPECT_EQ(SortedInsertPosition(items, "a"), 0u);
    EXPECT_EQ(SortedInsertPosition(items, "BETA"), 2u);
    EXPECT_EQ(SortedInsertPosition(items, "delta"), 2u);
    EXPECT_EQ(SortedInsertPosition(items, "zulu"), 3u);
    EXPECT_EQ(SortedInsertPosition({}, "any"), 0u);
}

TEST(ListBoxSearch, PrefixSearchStartsAfterTheGivenItemAndWrapsRound)
{
    const Names items { "time-a", "time-b", "Time-c", "other" };
    EXPECT_EQ(FindStringPrefix(items, "time", -1), 0);
    EXPECT_EQ(FindStringPrefix(items, "TIME", 0), 1);
    EXPECT_EQ(FindStringPrefix(items, "time", 2), 0); // past "Time-c", round to the top
    EXPECT_EQ(FindStringPrefix(items, "time-c", 2), 2); // the start item is searched last
    EXPECT_EQ(FindStringPrefix(items, "time-a", 0), 0);
    EXPECT_EQ(FindStringPrefix(items, "time-d", -1), -1);
    EXPECT_EQ(FindStringPrefix(items, "time-a-longer", -1), -1);
    EXPECT_EQ(FindStringPrefix(items, "time", 99), 0); // a start beyond the list: from the top
    // An empty name names no server.
    EXPECT_EQ(FindStringPrefix(items, "", -1), -1);
    EXPECT_EQ(FindStringPrefix({}, "time", -1), -1);
}

TEST(ListBoxSearch, ServerIsFoundByItsWholeNameBeforeAnyLongerOne)
{
    // The prefix search from item 0 would find "ntp1.example.org" first.
    const Names items { "ntp1", "ntp1.example.org", "ntp2" };
    EXPECT_EQ(FindServerInList(items, "ntp1"), 0);
    EXPECT_EQ(FindServerInList(items, "NTP1.example.org"), 1);
    EXPECT_EQ(FindServerInList(items, "ntp"), 1); // no whole name: the prefix search
    EXPECT_EQ(FindServerInList(items, "ntp3"), -1);
    EXPECT_EQ(FindServerInList(items, ""), -1);
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
