#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

namespace velarin {

// A store held in memory: for tests and for runs that must not touch the user's settings.
class MemorySettingsStore : public SettingsStore {
public:
    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    bool WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::string GetProfileString(
        std::string_view section, std::string_view key, std::string_view defaultValue) override;
    bool WriteProfileString(
        std::string_view section, std::string_view key, std::string_view value) override;

    bool Contains(std::string_view section, std::string_view key) const;
    size_t WriteCount() const;

    // Makes every following write fail (the store's failure path).
    void SetWritesFail(bool fail);

private:
    using Value = std::variant<int, std::string>;
    std::optional<Value> find(std::string_view section, std::string_view key) const;

    mutable std::mutex mutex_;
    std::map<std::pair<std::string, std::string>, Value, std::less<>> values_;
    size_t writeCount_ = 0;
    bool writesFail_ = false;
};

} // namespace velarin
