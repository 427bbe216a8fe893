#include "cli/Cli.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

TCliArgs::TCliArgs(std::vector<std::string> args, const std::vector<std::string>& valueOptions,
                   const std::vector<std::string>& flagOptions) {
    auto known = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            std::string name = arg.substr(2);
            std::string value;
            const auto eq = name.find('=');
            const bool inlineValue = eq != std::string::npos;
            if (inlineValue) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
            }
            if (known(flagOptions, name) && !inlineValue) {
                flags_.push_back(name);
            } else if (known(valueOptions, name)) {
                if (!inlineValue) {
                    if (i + 1 >= args.size())
                        throw TUsageError{"option --" + name + " needs a value"};
                    value = args[++i];
                }
                values_[name] = value;
            } else {
                throw TUsageError{"unknown option --" + name};
            }
        } else {
            positionals_.push_back(arg);
        }
    }
}

void TCliArgs::ExpectPositionals(std::size_t n) const {
    if (positionals_.size() != n)
        throw TUsageError{"expected " + std::to_string(n) + " file argument" + (n == 1 ? "" : "s")};
}

bool TCliArgs::Has(const std::string& name) const {
    return values_.count(name) > 0;
}

std::optional<std::string> TCliArgs::Value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

double TCliArgs::Number(const std::string& name, double fallback, double min, double max) const {
    auto text = Value(name);
    if (!text)
        return fallback;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0' || errno != 0 || !std::isfinite(value))
        throw TUsageError{"--" + name + " expects a number, not '" + *text + "'"};
    if (value < min || value > max)
        throw TUsageError{"--" + name + " must lie between " + std::to_string(min) + " and " +
                          std::to_string(max)};
    return value;
}

int TCliArgs::Integer(const std::string& name, int fallback, int min, int max) const {
    auto text = Value(name);
    if (!text)
        return fallback;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || errno != 0)
        throw TUsageError{"--" + name + " expects a whole number, not '" + *text + "'"};
    if (value < min || value > max)
        throw TUsageError{"--" + name + " must lie between " + std::to_string(min) + " and " +
                          std::to_string(max)};
    return static_cast<int>(value);
}

bool TCliArgs::Flag(const std::string& name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}
