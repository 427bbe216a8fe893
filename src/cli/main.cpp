// zelvane-cli: the processing tools of Zelvane Image on files.

#include "cli/Cli.h"
#include "core/Messages.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace {

void PrintProgramUsage(std::FILE* out) {
    std::fprintf(out, "usage: zelvane-cli COMMAND [ARGS...]\n"
                      "       zelvane-cli COMMAND --help\n\ncommands:\n");
    for (const auto& [name, command] : CliCommands())
        std::fprintf(out, "  %-18s %s\n", name.c_str(), command.Summary.c_str());
}

// Messages of the engine go to stderr as plain lines.
TMessageResult ToStderr(const TMessage& message) {
    std::fprintf(stderr, "%s\n", message.Text.c_str());
    if (!message.Detail.empty())
        std::fprintf(stderr, "%s\n", message.Detail.c_str());
    return message.Buttons == TMessageButtons::YesNo ? TMessageResult::Yes : TMessageResult::Ok;
}

} // namespace

int main(int argc, char** argv) {
    SetMessageSink(ToStderr);
    if (argc < 2) {
        PrintProgramUsage(stderr);
        return ExitUsage;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        PrintProgramUsage(stdout);
        return ExitOk;
    }
    const auto& commands = CliCommands();
    const auto it = commands.find(argv[1]);
    if (it == commands.end()) {
        std::fprintf(stderr, "zelvane-cli: unknown command '%s'\n\n", argv[1]);
        PrintProgramUsage(stderr);
        return ExitUsage;
    }
    const TCliCommand& command = it->second;
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& arg : args)
        if (arg == "--help" || arg == "-h") {
            std::fprintf(stdout, "%s", command.Usage.c_str());
            return ExitOk;
        }
    try {
        const TCliArgs parsed(args, command.ValueOptions, command.FlagOptions);
        return command.Run(parsed);
    } catch (const TUsageError& error) {
        std::fprintf(stderr, "zelvane-cli %s: %s\n\n%s", command.Name.c_str(),
                     error.Message.c_str(), command.Usage.c_str());
        return ExitUsage;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "zelvane-cli %s: not enough memory\n", command.Name.c_str());
        return ExitFailure;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelvane-cli %s: %s\n", command.Name.c_str(), error.what());
        return ExitFailure;
    }
}
