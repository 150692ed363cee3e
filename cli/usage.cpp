#include "cli/usage.h"

namespace quorvell::cli {

namespace {

constexpr const char* kProgram =
    R"(Usage: quorvell-cli [OPTIONS] COMMAND [NAMES]

Switches the custom textures of "Thief - Deadly Shadows" on and off in the
game's map files, without a window: the same rules as Quorvell's window.

Commands:
  status          where the game was found, how many textures and maps
  list            every custom texture, its folder and in how many maps it is on
  presets         each preset of Presets.ini and its entries
  apply PRESET    switch on the textures a preset names (the window's plus)
  remove PRESET   switch off the textures a preset names (the window's minus)
  on NAME...      switch the named textures on in every map
  off NAME...     switch the named textures off in every map
  show NAME       a texture's size, format and folders; --png FILE writes its picture
  help [COMMAND]  this text, or the help of one command

Options:
  --game DIR      the game's install folder, instead of the one the registry names
  --prefix DIR    the Wine prefix whose registry names the game (Linux)
  --presets FILE  the preset file, instead of Presets.ini in the current folder
  --dry-run       with apply, remove, on and off: write nothing, show what would change
  --json          one JSON document on standard output
  --png FILE      with show: write the texture's picture (up to 256 px) as PNG
  -h, --help      help of the program or, after a command, of that command
  --version       the version

Exit status: 0 done, 1 failure (the message names the file and the reason),
2 no preset or texture has that name, 64 a mistyped command line.
)";

constexpr const char* kStatus =
    R"(Usage: quorvell-cli status [--json] [--game DIR | --prefix DIR] [--presets FILE]

Shows where the game was found and how (which Wine prefix, and whether
$WINEPREFIX, ~/.wine or Steam's Proton prefix led there), the game folder,
the maps folder and its number of map files, the number of custom textures
and how many of them some map switches on, and the preset file in use.
Exit status 1 when the game or its maps folder cannot be found.
)";

constexpr const char* kList =
    R"(Usage: quorvell-cli list [--json] [--game DIR | --prefix DIR]

Lists every custom texture in the order of the window's list: [x] when some
map switches it on, its name, in how many of the maps that use it it is on,
and the game folder it lies in. With --json each texture also has its width,
height, format and number of mip levels, read from its header (null, with the
reason in "problem", when the header cannot be read).
)";

constexpr const char* kShow =
    R"(Usage: quorvell-cli show [--json] [--png FILE] NAME

Shows a custom texture: each game folder it lies in, its file, and its size,
format and mip levels ("2048 × 2048, DXT5, 12 mip levels"), or why its header
cannot be read. NAME is the file name as "list" shows it (any letter case).
With --png FILE its picture, up to 256 px on its longer side, is written to
FILE as PNG; formats without a preview (BC4, BC5, BC7, float) give exit
status 1 and the reason.
)";

constexpr const char* kPresets =
    R"(Usage: quorvell-cli presets [--json] [--presets FILE]

Lists each preset of the preset file, its name on one line and each of its
entries on an indented line below. "*" stands for every custom texture and
"xbrick" for none. Without --presets the file is Presets.ini in the current
folder, as for the window.
)";

constexpr const char* kApply =
    R"(Usage: quorvell-cli apply [--dry-run] [--json] PRESET

Does what the window's green plus does after its scan of the maps: the
preset's textures are switched on on top of what is on, and every map is
brought in line with the result. The name is matched exactly, letter case
and spaces included; it may be given as several words. "xbrick" in the
preset switches everything else off first, "*" switches everything on.
With --dry-run nothing is written: each map that would change is named with
the number of references that would change in it.
)";

constexpr const char* kRemove =
    R"(Usage: quorvell-cli remove [--dry-run] [--json] PRESET

Does what the window's red minus does after its scan of the maps: the
textures the preset names are switched off, and every map is brought in line
with the result. Removing a preset that holds "*" or "xbrick" changes no map.
With --dry-run nothing is written: each map that would change is named with
the number of references that would change in it.
)";

constexpr const char* kOn =
    R"(Usage: quorvell-cli on [--dry-run] [--json] NAME...

Switches each named texture on in every map that uses it, whatever its state
was (it is not a flip). NAME is the file name as "list" shows it, for example
Wall_brick01.dds. No other texture changes. With --dry-run nothing is
written: each map that would change is named with its number of references.
)";

constexpr const char* kOff =
    R"(Usage: quorvell-cli off [--dry-run] [--json] NAME...

Switches each named texture off in every map that uses it, whatever its
state was (it is not a flip). NAME is the file name as "list" shows it. No
other texture changes. With --dry-run nothing is written: each map that
would change is named with its number of references.
)";

} // namespace

std::string helpText(Command command) {
    switch (command) {
    case Command::Status:
        return kStatus;
    case Command::List:
        return kList;
    case Command::Presets:
        return kPresets;
    case Command::Apply:
        return kApply;
    case Command::Remove:
        return kRemove;
    case Command::On:
        return kOn;
    case Command::Off:
        return kOff;
    case Command::Show:
        return kShow;
    case Command::None:
        break;
    }
    return kProgram;
}

std::string usageHint() {
    return "Usage: quorvell-cli [OPTIONS] COMMAND [NAMES]; see quorvell-cli --help\n";
}

} // namespace quorvell::cli
