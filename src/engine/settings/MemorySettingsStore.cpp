#include "engine/settings/MemorySettingsStore.h"

#include "base/ProfileText.h"

namespace velarin {

std::optional<MemorySettingsStore::Value> MemorySettingsStore::find(
    std::string_view section, std::string_view key) const
{
    auto it = values_.find(std::make_pair(std::string(section), std::string(key)));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

int MemorySettingsStore::GetProfileInt(
    std::string_view section, std::string_view key, int defaultValue)
{
    std::lock_guard lock(mutex_);
    auto value = find(section, key);
    if (!value)
        return defaultValue;
    if (const int* number = std::get_if<int>(&*value))
        return *number;
    return ParseProfileInt(std::get<std::string>(*value), defaultValue);
}

bool MemorySettingsStore::WriteProfileInt(std::string_view section, std::string_view key, int value)
{
    std::lock_guard lock(mutex_);
    if (writesFail_)
        return false;
    values_[std::make_pair(std::string(section), std::string(key))] = value;
    ++writeCount_;
    return true;
}

std::string MemorySettingsStore::GetProfileString(
    std::string_view section, std::string_view key, std::string_view defaultValue)
{
    std::lock_guard lock(mutex_);
    auto value = find(section, key);
    if (!value)
        return std::string(defaultValue);
    if (const int* number = std::get_if<int>(&*value))
        return std::to_string(*number);
    return std::get<std::string>(*value);
}

bool MemorySettingsStore::WriteProfileString(
    std::string_view section, std::string_view key, std::string_view value)
{
    std::lock_guard lock(mutex_);
    if (writesFail_)
        return false;
    values_[std::make_pair(std::string(section), std::string(key))] = std::string(value);
    ++writeCount_;
    return true;
}

bool MemorySettingsStore::Contains(std::string_view section, std::string_view key) const
{
    std::lock_guard lock(mutex_);
    return find(section, key).has_value();
}

size_t MemorySettingsStore::WriteCount() const
{
    std::lock_guard lock(mutex_);
    return writeCount_;
}

void MemorySettingsStore::SetWritesFail(bool fail)
{
    std::lock_guard lock(mutex_);
    writesFail_ = fail;
}

} // namespace velarin
