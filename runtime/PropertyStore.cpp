#include "runtime/PropertyStore.h"

namespace tess {

std::int32_t PropertyStore::read(const std::string& key, std::int32_t defaultValue) const
{
    const auto found = values_.find(key);
    return found == values_.end() ? defaultValue : found->second;
}

void PropertyStore::write(const std::string& key, std::int32_t value, std::int32_t defaultValue)
{
    if (value == defaultValue)
        values_.erase(key);
    else
        values_[key] = value;
}

bool PropertyStore::contains(const std::string& key) const { return values_.count(key) != 0; }

}  // namespace tess
