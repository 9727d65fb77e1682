#include "CommandLineOptions.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace substitute {

CommandLineOptions::CommandLineOptions(int argc, char** argv,
                                       std::initializer_list<std::string_view> valued,
                                       std::initializer_list<std::string_view> flags)
{
    auto listed = [](std::initializer_list<std::string_view> names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (listed(flags, argument)) {
            options_[std::string(argument)] = "";
        } else if (listed(valued, argument)) {
            if (i + 1 >= argc)
                throw std::invalid_argument(std::string(argument) + " needs a value");
            options_[std::string(argument)] = argv[++i];
        } else {
            throw std::invalid_argument("unknown argument " + std::string(argument));
        }
    }
}

std::optional<std::string> CommandLineOptions::value(std::string_view name) const
{
    const auto found = options_.find(name);
    if (found == options_.end())
        return std::nullopt;
    return found->second;
}

bool CommandLineOptions::has(std::string_view name) const
{
    return options_.contains(name);
}

int CommandLineOptions::integer(std::string_view name, int fallback) const
{
    const auto text = value(name);
    if (!text)
        return fallback;
    int number = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, number);
    if (error != std::errc() || stop != end || text->empty())
        throw std::invalid_argument(std::string(name) + " needs a whole number, not \"" + *text + "\"");
    return number;
}

}  // namespace substitute
