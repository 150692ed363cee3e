#pragma once

class QComboBox;
class QListWidget;

namespace quorvell::app {

// Colours for the two ordinary controls so they sit in the drawn stone and
// brass frame instead of looking pasted on.
void applySkin(QListWidget* list, QComboBox* chooser);

} // namespace quorvell::app
