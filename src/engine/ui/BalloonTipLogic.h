#pragma once

#include <string>
#include <unordered_map>

namespace velarin {

// When the help balloon shows and hides. Driven by the messages that pass through the owner
// (RelayEvent) and by a 100 ms tick:
//   1 idle: hidden, waiting for the mouse to reach a registered control
//   2 resting: counting the delay while the mouse stays on the control
//   3 shown: counting the display time
//   4 dismissed: hidden until the mouse leaves the control or reaches another
class BalloonTipLogic {
public:
    using Tool = const void*; // a control, by identity

    enum class Event {
        KeyDown,
        ButtonDown, // left or right, client or frame area
        MouseMove,
        Other,
    };

    enum class Action {
        None,
        Hide,
        ShowAtCursor,
    };

    // Registers or replaces the text of a control.
    void AddTool(Tool tool, std::string text);
    void RemoveTool(Tool tool);
    bool IsTool(Tool tool) const;
    // The text of the control under the mouse; empty when none.
    std::string CurrentText() const;

    // A message on its way to target: a registered control, the balloon itself (overBalloon), or
    // anything else.
    Action RelayEvent(Event event, Tool target, bool overBalloon = false);
    Action OnTick();

    int State() const { return state_; }
    bool OverTool() const { return overTool_; }
    Tool CurrentTool() const { return currentTool_; }

    int delay = 10; // ticks of rest before showing
    int displayTime = 50; // ticks shown

private:
    std::unordered_map<Tool, std::string> tools_;
    int state_ = 1;
    int shownTicks_ = 0;
    int restTicks_ = 0;
    bool overTool_ = false;
    Tool currentTool_ = nullptr;
    Tool lastTool_ = nullptr;
};

} // namespace velarin
