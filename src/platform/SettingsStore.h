#pragma once

#include <string>
#include <string_view>

namespace velarin {

// The per-user store of named integer and string values grouped in sections. Every read names
// the default it returns when the key or its section is absent; reading never writes. Reads from
// the set-time worker may run while the user-interface thread writes another key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) = 0;
    virtual bool WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;
    virtual std::string GetProfileString(
        std::string_view section, std::string_view key, std::string_view defaultValue)
        = 0;
    virtual bool WriteProfileString(
        std::string_view section, std::string_view key, std::string_view value)
        = 0;
};

} // namespace velarin
