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
  save NAME [TEXTURE...]  save a preset: the textures on now, or those named
  delete NAME     delete a preset from the preset file
  undo            take back the last run that changed maps (again for the one before)
  restore         put every name Quorvell ever changed back as it first found it
  history         the runs the journal holds: when, from where, what, how many
  show NAME       a texture's size, format and folders; --png FILE writes its picture
  help [COMMAND]  this text, or the help of one command

Options:
  --game DIR      the game's install folder, instead of the one the registry names
  --prefix DIR    the Wine prefix whose registry names the game (Linux)
  --presets FILE  the preset file, instead of Presets.ini in the current folder,
                  beside the program or in the per-user folder
  --dry-run       with apply, remove, on, off, undo, restore, save and delete:
                  write nothing, show what would change
  --check         with presets: name the lines that look like slips (exit 1 if any)
  --json          one JSON document on standard output
  --missing       with off: every missing texture instead of names
  --png FILE      with show: write the texture's picture (up to 256 px) as PNG
  -h, --help      help of the program or, after a command, of that command
  --version       the version

Exit status: 0 done, 1 failure (the message names the file and the reason),
2 no preset or texture has that name, 64 a mistyped command line.

Every run that writes maps is first recorded in a journal (see history);
QUORVELL_NO_JOURNAL=1 runs without it, and then undo and restore have
nothing to go back to.
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

With --json each texture also has its width, height, format and number of
mip levels, read from its header (null, with the reason in "problem", when
the header cannot be read).

Names are shown with control characters escaped ("\x1b"); with --json a
name that is not valid UTF-8 also comes as "nameBytes" in hex, which
"hex:" followed by those digits names again (quorvell-cli on hex:4142...).
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
    R"(Usage: quorvell-cli presets [--check] [--json] [--presets FILE]

Lists each preset of the preset file, its name on one line and each of its
entries on an indented line below. "*" stands for every custom texture and
"xbrick" for none. Without --presets the file is Presets.ini in the current
folder, else beside the program, else in the per-user folder
($XDG_CONFIG_HOME/quorvell, ~/.config/quorvell; %APPDATA%\Quorvell on
Windows), as for the window.
With --check it names instead each line that looks like a slip (a missing
"}", a preset name without its "{", an entry that names no custom texture),
with its number, and exits 1 when there is any.
)";

constexpr const char* kSave =
    R"(Usage: quorvell-cli save [--dry-run] [--json] [--presets FILE] NAME [TEXTURE...]

Saves a preset that gives exactly the textures named (without any: the
textures switched on in the maps now) when applied: "xbrick" first, then one
line per texture. A preset of that name is updated in place; a new one is
added at the end of the file. Every other byte of the file is kept. The file
is the one presets reads; when there is none, the per-user one is made.
A name that is empty, holds "{", "}" or a line break, starts or ends with a
space, or equals another preset's name without regard to case is refused.
With --dry-run nothing is written: the block is shown.
)";

constexpr const char* kDelete =
    R"(Usage: quorvell-cli delete [--dry-run] [--json] [--presets FILE] NAME

Deletes the first preset of that name (its name line to its "}") from the
preset file; every other byte of the file is kept. With --dry-run nothing is
written: the block that would go is shown.
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

constexpr const char* kUndo =
    R"(Usage: quorvell-cli undo [--dry-run] [--json]

Takes back the last run that changed maps and is not undone yet, from any
front end (the window, its command line, quorvell-cli), also one that was cut
short. Run it again for the run before. Only names that still hold what the
run wrote are written back; a map changed since by another program (its
length or its names differ) is named and left alone (exit status 1).
)";

constexpr const char* kRestore =
    R"(Usage: quorvell-cli restore [--dry-run] [--json]

Puts every name Quorvell ever changed in these maps back to the bytes it
held when Quorvell first changed it, whatever ran in between: the maps end as
Quorvell first found them. That is the state before Quorvell's first change,
not necessarily the game's shipped files. A map whose length differs is named
and left alone (exit status 1).
)";

constexpr const char* kHistory =
    R"(Usage: quorvell-cli history [--json]

Lists the runs the journal holds, oldest first: the time, the front end, what
the run was, the maps and references it changed, and whether it ended, was
cut short or was undone. The journal keeps the last 100 runs.
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
    case Command::Save:
        return kSave;
    case Command::Delete:
        return kDelete;
    case Command::Undo:
        return kUndo;
    case Command::Restore:
        return kRestore;
    case Command::History:
        return kHistory;
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
