#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace tess {

// A numbered error raised to the caller, carrying its number, the source that raised it and a
// description. what() is the description.
class RaisedError : public std::runtime_error {
public:
    RaisedError(std::int32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), number_(number), source_(std::move(source))
    {
    }

    std::int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    std::string description() const { return what(); }

private:
    std::int32_t number_;
    std::string source_;
};

}  // namespace tess
