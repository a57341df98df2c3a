#include "engine/ui/BalloonTipLogic.h"

namespace velarin {

void BalloonTipLogic::AddTool(Tool tool, std::string text)
{
    tools_[tool] = std::move(text);
}

void BalloonTipLogic::RemoveTool(Tool tool)
{
    tools_.erase(tool);
    // A control that goes away must not stay the one the balloon speaks for.
    if (currentTool_ == tool) {
        currentTool_ = nullptr;
        overTool_ = false;
        state_ = 1;
    }
    if (lastTool_ == tool)
        lastTool_ = nullptr;
}

bool BalloonTipLogic::IsTool(Tool tool) const
{
    return tools_.contains(tool);
}

std::string BalloonTipLogic::CurrentText() const
{
    const auto found = tools_.find(currentTool_);
    return found == tools_.end() ? std::string {} : found->second;
}

BalloonTipLogic::Action BalloonTipLogic::RelayEvent(Event event, Tool target, bool overBalloon)
{
    if (event == Event::KeyDown || event == Event::ButtonDown) {
        state_ = 4;
        return Action::None;
    }
    if (event != Event::MouseMove || overBalloon)
        return Action::None;
    if (target != nullptr && IsTool(target)) {
        currentTool_ = target;
        if (target != lastTool_) {
            lastTool_ = target;
            state_ = 1;
        }
        overTool_ = true;
        return Action::None;
    }
    if (overTool_) {
        overTool_ = false;
        state_ = 1;
        return Action::Hide;
    }
    return Action::None;
}

BalloonTipLogic::Action BalloonTipLogic::OnTick()
{
    ++shownTicks_;
    ++restTicks_;
    switch (state_) {
    case 1:
        if (overTool_) {
            restTicks_ = 0;
            state_ = 2;
        }
        return Action::Hide;
    case 2:
        if (restTicks_ >= delay) {
            shownTicks_ = 0;
            state_ = 3;
            return Action::ShowAtCursor;
        }
        if (!overTool_)
            state_ = 1;
        return Action::None;
    case 3:
        if (!overTool_)
            state_ = 1;
        else if (shownTicks_ >= displayTime)
            state_ = 4;
        return Action::None;
    default:
        if (!overTool_) {
            state_ = 1;
            return Action::None;
        }
        return Action::Hide;
    }
}

} // namespace velarin
