#pragma once

namespace quorvell::app {

class Form1;

// Every action of the window from the keyboard, with the keys desktop
// programs use:
//   Ctrl+Return             apply the chosen preset (the green plus)
//   Ctrl+Shift+Return       remove the chosen preset (the red minus)
//   +, -                    the same, while the preset chooser has the keys
//   any text in the list    the filter (list_filter.h); Ctrl+F opens it
//   F1                      show or hide the help panel (Escape hides it)
//   Ctrl+Q, Alt+F4          Exit (the red cross; refused while working)
//   Tab, Shift+Tab          between the preset chooser and the texture list
//   Space                   tick or untick the texture list's current row
// and a focus frame in the skin's colours on the control that has the keys,
// which gets them back when a long operation ends.
void installKeyboard(Form1& form);

} // namespace quorvell::app
