#pragma once
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace substitute {

// "--name value" options and bare "--flag" switches; anything else is refused with
// std::invalid_argument, so a typo in a test's command line fails loudly instead of being ignored.
class CommandLineOptions {
public:
    CommandLineOptions(int argc, char** argv, std::initializer_list<std::string_view> valued,
                       std::initializer_list<std::string_view> flags);

    std::optional<std::string> value(std::string_view name) const;
    bool has(std::string_view name) const;
    // Throws std::invalid_argument when the option is given but is not a whole number.
    int integer(std::string_view name, int fallback) const;

private:
    std::map<std::string, std::string, std::less<>> options_;
};

}  // namespace substitute
