#include "engine/ui/BalloonTipLogic.h"
#include "engine/ui/BalloonTipLayout.h"

#include <gtest/gtest.h>

using namespace velarin;
using Action = BalloonTipLogic::Action;
using Event = BalloonTipLogic::Event;

namespace {

const int kButton = 0;
const int kEdit = 0;
const void* const button = &kButton;
const void* const edit = &kEdit;

// Ticks until the first ShowAtCursor; -1 when none within the limit.
int TicksUntilShown(BalloonTipLogic& logic, int limit = 200)
{
    for (int i = 1; i <= limit; ++i)
        if (logic.OnTick() == Action::ShowAtCursor)
            return i;
    return -1;
}

} // namespace

TEST(BalloonTipLogic, ShowsAfterOneSecondOfRestAndHidesAfterFive)
{
    BalloonTipLogic logic;
    logic.AddTool(button, "Sets the PC clock now.");
    logic.RelayEvent(Event::MouseMove, button);
    // One tick to start resting, then ten ticks of rest.
    EXPECT_EQ(TicksUntilShown(logic), 11);
    EXPECT_EQ(logic.CurrentText(), "Sets the PC clock now.");
    EXPECT_EQ(logic.State(), 3);
    int hiddenAt = 0;
    for (int i = 1; i <= 60 && hiddenAt == 0; ++i)
        if (logic.OnTick() == Action::Hide)
            hiddenAt = i;
    EXPECT_EQ(hiddenAt, 51);
    // Dismissed: resting longer shows nothing again; leaving and coming back starts over.
    EXPECT_EQ(TicksUntilShown(logic), -1);
    EXPECT_EQ(logic.RelayEvent(Event::MouseMove, nullptr), Action::Hide);
    logic.RelayEvent(Event::MouseMove, button);
    EXPECT_EQ(TicksUntilShown(logic), 11);
}

TEST(BalloonTipLogic, ClickOrKeyDismissesAndAnotherControlRestarts)
{
    BalloonTipLogic logic;
    logic.AddTool(button, "a");
    logic.AddTool(edit, "b");
    logic.RelayEvent(Event::MouseMove, button);
    ASSERT_EQ(TicksUntilShown(logic), 11);
    logic.RelayEvent(Event::ButtonDown, nullptr);
    EXPECT_EQ(logic.OnTick(), Action::Hide);
    EXPECT_EQ(logic.State(), 4);
    // Moving over the balloon itself changes nothing.
    logic.RelayEvent(Event::MouseMove, nullptr, true);
    EXPECT_EQ(logic.State(), 4);
    EXPECT_TRUE(logic.OverTool());

    logic.RelayEvent(Event::MouseMove, edit);
    EXPECT_EQ(logic.State(), 1);
    EXPECT_EQ(TicksUntilShown(logic), 11);
    EXPECT_EQ(logic.CurrentText(), "b");
    logic.RelayEvent(Event::KeyDown, nullptr);
    EXPECT_EQ(logic.OnTick(), Action::Hide);
    // Other messages are ignored.
    EXPECT_EQ(logic.RelayEvent(Event::Other, nullptr), Action::None);
    EXPECT_EQ(logic.State(), 4);
}

TEST(BalloonTipLogic, LeavingWhileRestingCancelsAndForgottenToolsShowNothing)
{
    BalloonTipLogic logic;
    logic.AddTool(button, "old");
    logic.RelayEvent(Event::MouseMove, button);
    for (int i = 0; i < 9; ++i)
        logic.OnTick();
    logic.RelayEvent(Event::MouseMove, nullptr);
    EXPECT_EQ(TicksUntilShown(logic, 30), -1);
    // Unregistered controls never show anything.
    logic.RelayEvent(Event::MouseMove, edit);
    EXPECT_EQ(TicksUntilShown(logic, 30), -1);
    // Registering again replaces the text, removing forgets the control.
    logic.AddTool(button, "new");
    logic.RelayEvent(Event::MouseMove, button);
    EXPECT_EQ(logic.CurrentText(), "new");
    logic.RemoveTool(button);
    EXPECT_EQ(logic.CurrentText(), "");
    EXPECT_EQ(TicksUntilShown(logic, 30), -1);
}

TEST(BalloonTipLayout, PointerTipLandsOnTheCursorAndTheBalloonStaysOnTheScreen)
{
    // 100 x 100 balloon, pointer at the bottom: p = 67.
    const BalloonShape below = ComputeBalloonShape(100, 100, 500);
    EXPECT_FALSE(below.pointerAtTop);
    EXPECT_EQ(below.pointer[0], (UiPoint { 74, 100 }));
    EXPECT_EQ(below.body, (UiRect { 0, 0, 100, 86 }));
    EXPECT_EQ(below.textArea, (UiRect { 7, 7, 93, 78 }));
    EXPECT_EQ(PlaceBalloon(below, { 400, 500 }, 100, 100, 1024, 768), (UiPoint { 326, 400 }));
    // Near the top the balloon opens below the cursor, pointer on top.
    const BalloonShape above = ComputeBalloonShape(100, 100, 60);
    EXPECT_TRUE(above.pointerAtTop);
    EXPECT_EQ(above.pointer[0], (UiPoint { 74, 0 }));
    EXPECT_EQ(above.body, (UiRect { 0, 15, 100, 100 }));
    EXPECT_EQ(above.textArea, (UiRect { 7, 22, 93, 93 }));
    EXPECT_EQ(PlaceBalloon(above, { 300, 60 }, 100, 100, 1024, 768), (UiPoint { 226, 60 }));

    EXPECT_EQ(PlaceBalloon(below, { 1020, 500 }, 100, 100, 1024, 768), (UiPoint { 924, 400 }));
    EXPECT_EQ(PlaceBalloon(below, { 10, 500 }, 100, 100, 1024, 768), (UiPoint { 0, 400 }));
    const BalloonShape low = ComputeBalloonShape(100, 100, 0);
    EXPECT_EQ(PlaceBalloon(low, { 500, 760 }, 100, 100, 1024, 768), (UiPoint { 426, 668 }));
    EXPECT_EQ(CentreText({ 7, 7, 93, 78 }, 40, 16), (UiRect { 30, 34, 70, 50 }));
}
