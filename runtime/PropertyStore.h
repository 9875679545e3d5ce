#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tess {

// The stored design of one control instance: named 32-bit values. A key never written reads
// as the default the caller gives; writing the default removes the key, so a design stores only
// what differs from the defaults.
class PropertyStore {
public:
    std::int32_t read(const std::string& key, std::int32_t defaultValue) const;
    void write(const std::string& key, std::int32_t value, std::int32_t defaultValue);
    bool contains(const std::string& key) const;

private:
    std::map<std::string, std::int32_t> values_;
};

}  // namespace tess
