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
  off --missing   switch off every missing texture (on in a map, file gone)
  help [COMMAND]  this text, or the help of one command

Options:
  --game DIR      the game's install folder, instead of the one the registry names
  --prefix DIR    the Wine prefix whose registry names the game (Linux)
  --presets FILE  the preset file, instead of Presets.ini in the current folder
  --dry-run       with apply, remove, on and off: write nothing, show what would change
  --json          one JSON document on standard output
  --missing       with off: every missing texture instead of names
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
and how many of them some map switches on, the missing textures (switched
on in a map while their file is gone), and the preset file in use.
Exit status 1 when the game or its maps folder cannot be found.
)";

constexpr const char* kList =
    R"(Usage: quorvell-cli list [--json] [--game DIR | --prefix DIR]

Lists every custom texture in the order of the window's list: [x] when some
map switches it on, its name, in how many of the maps that use it it is on,
and the game folder it lies in. Then each missing texture: switched on in
some map while no custom texture of that name exists (its file was removed),
so the game is told to load a file that is not there. "off --missing"
switches them off.

Names are shown with control characters escaped ("\x1b"); with --json a
name that is not valid UTF-8 also comes as "nameBytes" in hex, which
"hex:" followed by those digits names again (quorvell-cli on hex:4142...).
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
A name that cannot be written into a map (not representable in the ANSI
code page) is not switched on, and the exit status is 1.
)";

constexpr const char* kOff =
    R"(Usage: quorvell-cli off [--dry-run] [--json] NAME...
       quorvell-cli off [--dry-run] [--json] --missing

Switches each named texture off in every map that uses it, whatever its
state was (it is not a flip). NAME is the file name as "list" shows it. No
other texture changes. With --missing: every missing texture ("list" shows
them), and nothing else. With --dry-run nothing is written: each map that
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
    case Command::None:
        break;
    }
    return kProgram;
}

std::string usageHint() {
    return "Usage: quorvell-cli [OPTIONS] COMMAND [NAMES]; see quorvell-cli --help\n";
}

} // namespace quorvell::cli
