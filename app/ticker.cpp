#include "app/ticker.h"

#include <array>
#include <string_view>

namespace quorvell::app {

namespace {

struct Piece {
    std::size_t spaces;
    std::string_view text;
};

constexpr std::string_view kBanner = "- - -|Quorvell|- - -";

// The pieces both texts share, each with the spaces that lead into it.
constexpr std::array<Piece, 11> kAbout = {{
    {6, "Thief - Deadly Shadows IBT texture overrider."},
    {5, "Works by scanning for custom DDS files in multiple Thief:DS directories."},
    {5, "Then scans IBTs for reference."},
    {5, "A check means a DDS is enabled (override)."},
    {5, "You enable/disable manually by checking/unchecking from the list."},
    {5, "A progressbar will show up at lower window region."},
    {5, "Custom presets are allowed, see presets.ini in QUORVELL.EXE directory."},
    {5, "By selecting a preset, preset DDS will be enabled/disabled."},
    {5, "You can manually edit presets as you see fit."},
    {10, "Program accepts command line arguments: quorvell.exe preset silent"},
    {5, "Preset is the actual preset name, and will accept spaces, for instance 'no textures'. "
        "If included, 'silent' means no messagebox and the program will quit right after "
        "processing the preset. You will still have a progressbar."},
}};

void append(std::string& out, const Piece& piece) {
    out.append(piece.spaces, ' ');
    out.append(piece.text);
}

} // namespace

std::string startupTickerText() {
    std::string text;
    append(text, {5, "Scanning files....."});
    append(text, {19, kBanner});
    for (const Piece& piece : kAbout) {
        append(text, piece);
    }
    append(text, {5, "Presets can also be disabled:"});
    append(text, {3, "quorvell.exe preset silent disable"});
    text.append(11, ' ');
    return text;
}

std::string statusTickerText(int textureCount) {
    std::string text(10, ' ');
    text += "ALWAYS BACKUP IBTs";
    text.append(10, ' ');
    text += std::to_string(textureCount);
    text += " DDS files found";
    append(text, {13, kBanner});
    for (const Piece& piece : kAbout) {
        append(text, piece);
    }
    text.append(10, ' ');
    return text;
}

std::optional<std::string> tickerStep(std::string& tickerText, int textureCount) {
    if (tickerText.size() >= 4) {
        tickerText.erase(0, 1);
        return tickerText;
    }
    tickerText = statusTickerText(textureCount);
    return std::nullopt;
}

} // namespace quorvell::app
