#pragma once

// What screen readers and other assistive tools read of the window: a fixed
// name for the window (its title is the scrolling ticker), a name and a
// description for every control, and the hot spots as buttons that can be
// pressed.

namespace quorvell::app {

class Form1;

void nameForAssistiveTools(Form1& form);

} // namespace quorvell::app
