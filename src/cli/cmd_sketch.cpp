// kvf sketch: draws one position into a PNG image exactly as the order window
// draws it, either a position of an order file or one freshly built from a
// shape and its sizes (the options of `kvf shape`).

#include "cli/args.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "model/construction.h"
#include "model/order.h"
#include "qt/sketch_output.h"

#include <QGuiApplication>

#include <charconv>
#include <memory>
#include <ostream>

namespace kvf::cli {

namespace {

constexpr int kLargestSide = 20000;

// "WxH" with both sides from 1 to kLargestSide pixels.
QSize parseSize(const std::string& text) {
    const std::size_t x = text.find_first_of("xX");
    int width = 0;
    int height = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const bool ok = x != std::string::npos && std::from_chars(begin, begin + x, width).ptr == begin + x &&
                    std::from_chars(begin + x + 1, end, height).ptr == end && x > 0 && x + 1 < text.size();
    if (!ok || width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        throw UsageError{"--size wants WIDTHxHEIGHT in pixels, each from 1 to " +
                         std::to_string(kLargestSide) + ", not \"" + text + "\""};
    }
    return {width, height};
}

// Fonts need a QGuiApplication. The tool has none of its own when run from the
// shell; it then makes one for the command, drawing off-screen unless the
// environment names a platform.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance()) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "kvf";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunSketch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"no-dimensions", "yes"});
    const std::optional<std::string> png = args.Option("png");
    if (!png || png->empty()) {
        throw UsageError{"--png OUT is required"};
    }
    const QSize size = parseSize(args.OptionOr("size", "800x600"));
    const TSizeOptions options = args.Switch("no-dimensions") ? 0 : soAll;
    const std::unique_ptr<QGuiApplication> application = guiApplication();

    if (args.Positional().size() > 1) {
        throw UsageError{"unexpected argument \"" + args.Positional()[1] + "\""};
    }
    if (args.Positional().empty()) {
        TkvfConstruction construction(nullptr);
        BuildShapePosition(args, construction);
        SaveSketchPng(construction, *png, size, options);
        return 0;
    }

    const std::string& fileName = args.Positional()[0];
    const std::optional<std::string> no = args.Option("pos");
    if (!no) {
        throw UsageError{"--pos NO is required with an order file"};
    }
    CliPrompter prompter(err, args.Switch("yes"));
    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(fileName, converted, prompter)) {
        return 1;
    }
    if (const TkvfConstruction* position = order.FindPosition(*no)) {
        SaveSketchPng(*position, *png, size, options);
        return 0;
    }
    err << "kvf sketch: no position \"" << *no << "\" in " << fileName << "\n";
    return 1;
}

} // namespace kvf::cli
