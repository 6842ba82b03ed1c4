// `tavrolin preview SOURCE.dbf [--kind K] [--by types|depth] [--scheme dd|topo|user|clear]
// --png OUT.png [--size WxH] [--scale NAME] [--all]`: the map window's picture without a window.
// The source is read as "..." reads it, the kind chosen as in `convert`, the styled map built by
// the same code as the window's (by depth with the scheme --scheme loads, as its button does),
// and drawn by the painter the program was built with.
#include <charconv>
#include <filesystem>

#include "app/map_model.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/scheme_option.h"
#include "store/display_limits.h"

namespace tavrolin {

namespace {

constexpr const char* kCommand = "preview";

MapPngPainter& painterSlot() {
    static MapPngPainter painter = nullptr;
    return painter;
}

std::optional<std::pair<int, int>> parseSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    int width = 0;
    int height = 0;
    const char* begin = text.data();
    auto [endWidth, errorWidth] = std::from_chars(begin, begin + x, width);
    auto [endHeight, errorHeight] = std::from_chars(begin + x + 1, begin + text.size(), height);
    if (errorWidth != std::errc() || errorHeight != std::errc() || endWidth != begin + x ||
        endHeight != begin + text.size() || width < 16 || height < 16 || width > 20000 ||
        height > 20000) {
        return std::nullopt;
    }
    return std::make_pair(width, height);
}

// The code of a scale name (its first code), or of a code number given as digits.
std::optional<int> parseScale(const std::string& text) {
    for (int code = 0; code < store::kLimitCodes; ++code) {
        if (text == store::scaleName(code)) return code;
    }
    int code = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (error == std::errc() && end == text.data() + text.size() && code >= 0 &&
        code < store::kLimitCodes) {
        return code;
    }
    return std::nullopt;
}

}  // namespace

void setMapPngPainter(MapPngPainter painter) { painterSlot() = painter; }

int runPreviewCommand(CliContext& ctx, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const MapChoice choice = takeMapChoice(args, "the map");
    if (!choice.problem.empty()) return usageError(ctx, kCommand, choice.problem);
    bool missing = false;
    const std::optional<std::string> png = takeOption(args, "--png", &missing);
    if (missing || !png) return usageError(ctx, kCommand, "--png OUT.png is needed");
    const std::optional<std::string> size = takeOption(args, "--size", &missing);
    const std::optional<std::pair<int, int>> pixels =
        size ? parseSize(*size) : std::pair{1600, 1000};
    if (missing || !pixels)
        return usageError(ctx, kCommand, "--size takes WIDTHxHEIGHT, 16 to 20000");
    const std::optional<std::string> scale = takeOption(args, "--scale", &missing);
    const std::optional<int> scaleCode = scale ? parseScale(*scale) : std::optional<int>(-1);
    if (missing || !scaleCode) {
        return usageError(ctx, kCommand,
                          "--scale takes a scale name (5m ... 400km) or a code 0-34");
    }
    const bool showAll = takeFlag(args, "--all");
    if (args.empty()) return usageError(ctx, kCommand, "no source table given");
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) return usageError(ctx, kCommand, "unknown option " + arg);
    }
    if (args.size() > 1) return usageError(ctx, kCommand, "one source table only");
    if (painterSlot() == nullptr) {
        ctx.out << " ! preview: this build of tavrolin has no drawing library (Qt)\n";
        return 1;
    }

    Main& main = ctx.main();
    if (!readSourceAndChooseKind(ctx, kCommand, args.front(), choice.kind)) {
        return commandExitCode(ctx);
    }
    if (choice.scheme && !pressSchemeButton(ctx, *choice.scheme)) return commandExitCode(ctx);
    const preview::StyleBasis basis =
        choice.byDepth ? preview::StyleBasis::Depth : preview::StyleBasis::Types;
    Result<preview::StyledMap> map = buildStyledMap(main, basis);
    if (!map) {
        reportMapError(main, map.status());
        return commandExitCode(ctx);
    }
    MapPngRequest request;
    request.path = *png;
    request.width = pixels->first;
    request.height = pixels->second;
    request.scaleCode = *scaleCode;
    request.showAll = showAll;
    if (Status s = painterSlot()(*map, request); !s) {
        main.fail("preview", s);
        return commandExitCode(ctx);
    }
    main.att(main.tr(" карта нарисована: ", " map drawn: ") + *png);
    return commandExitCode(ctx);
}

}  // namespace tavrolin
