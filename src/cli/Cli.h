#pragma once
// zelvane-cli: every command is one file that registers itself here.
// Exit codes: 0 success, 1 processing or file error (message on stderr), 2 usage error.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class TFImage;

enum { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Thrown for a usage error; main prints the message and the command's usage.
struct TUsageError {
    std::string Message;
};

// Parsed arguments: positionals in order, "--name value" options, "--flag" switches.
class TCliArgs {
public:
    TCliArgs(std::vector<std::string> args, const std::vector<std::string>& valueOptions,
             const std::vector<std::string>& flagOptions);
    const std::vector<std::string>& Positionals() const { return positionals_; }
    // Exactly n positionals, else a usage error.
    void ExpectPositionals(std::size_t n) const;
    bool Has(const std::string& name) const;
    std::optional<std::string> Value(const std::string& name) const;
    double Number(const std::string& name, double fallback, double min, double max) const;
    int Integer(const std::string& name, int fallback, int min, int max) const;
    bool Flag(const std::string& name) const;

private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::string> values_;
    std::vector<std::string> flags_;
};

struct TCliCommand {
    std::string Name;
    std::string Summary;
    std::string Usage; // full usage text printed by --help
    std::vector<std::string> ValueOptions;
    std::vector<std::string> FlagOptions;
    int (*Run)(const TCliArgs& args);
};

// Registration at static-initialisation time: `static TCliRegistrar r{{...}};` in the command file.
struct TCliRegistrar {
    explicit TCliRegistrar(TCliCommand command);
};
const std::map<std::string, TCliCommand>& CliCommands();

// Shared steps of the commands.
// Loads as the Open action does; false after printing the message.
bool CliLoadImage(const std::string& path, TFImage& image);
// Saves as the main window's Save flow chooses by extension; JPEG quality and TIFF compression
// come from the options. 0 on success; the output is written whole or not at all.
int CliSaveImage(TFImage& image, const std::string& path, int jpegQuality = 90,
                 int tiffCompression = 0);
// Loads IN, runs process (0 = success), saves OUT; the exit code.
int CliTransform(const std::string& in, const std::string& out,
                 const std::function<int(TFImage&)>& process);
