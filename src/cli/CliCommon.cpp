#include "cli/Cli.h"

#include "core/SaveByExtension.h"
#include "core/fimage.h"

#include <cstdio>

static std::map<std::string, TCliCommand>& Registry() {
    static std::map<std::string, TCliCommand> commands;
    return commands;
}

TCliRegistrar::TCliRegistrar(TCliCommand command) {
    Registry()[command.Name] = std::move(command);
}

const std::map<std::string, TCliCommand>& CliCommands() {
    return Registry();
}

bool CliLoadImage(const std::string& path, TFImage& image) {
    if (image.LoadFromFile(path) < 0 || image.Empty()) {
        // Some refusals are silent by design (unknown Targa content); say something here.
        std::fprintf(stderr, "zelvane-cli: could not open %s\n", path.c_str());
        return false;
    }
    return true;
}

int CliSaveImage(TFImage& image, const std::string& path, int jpegQuality, int tiffCompression) {
    if (SaveImageByExtension(image, path, jpegQuality, tiffCompression) < 0) {
        std::fprintf(stderr, "zelvane-cli: %s was not written\n", path.c_str());
        return -1;
    }
    return 0;
}

int CliTransform(const std::string& in, const std::string& out,
                 const std::function<int(TFImage&)>& process) {
    TFImage image;
    if (!CliLoadImage(in, image))
        return ExitFailure;
    if (process(image) < 0)
        return ExitFailure;
    return CliSaveImage(image, out) < 0 ? ExitFailure : ExitOk;
}
