#pragma once

#include <optional>

namespace velarin {

// The first-time configuration question: which time reference to use. Shown modally with the
// network-time choice preset; the answer when confirmed with OK (true = network time), nothing
// when the user ended it any other way.
class FirstTimeConfigPrompt {
public:
    virtual ~FirstTimeConfigPrompt() = default;
    virtual std::optional<bool> Ask(bool networkTimePreset) = 0;
};

} // namespace velarin
