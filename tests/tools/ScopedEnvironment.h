#pragma once
// An environment variable set (or, with no value, removed) for a test's lifetime: the programs
// started meanwhile inherit it, and the previous state comes back afterwards.
#include <windows.h>

#include <optional>
#include <string>

namespace velloran::testing {

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
        char previous[1024];
        const DWORD length = GetEnvironmentVariableA(name, previous, sizeof previous);
        if (length > 0 && length < sizeof previous) previous_ = std::string(previous, length);
        SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(name_, previous_ ? previous_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

}  // namespace velloran::testing
