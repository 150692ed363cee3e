#pragma once

class QColor;
class QComboBox;
class QListWidget;

namespace quorvell::app {

// Colours for the two ordinary controls so they sit in the drawn stone and
// brass frame instead of looking pasted on.
// The list's check boxes get a dark frame against the parchment.
void applySkin(QListWidget* list, QComboBox* chooser);

// The frame of the list's check boxes.
QColor boxFrameColour();

} // namespace quorvell::app
