#include "app/skin.h"

#include <QComboBox>
#include <QListWidget>

namespace quorvell::app {

namespace {

// Parchment for the list, dark brass for the chooser; the disabled look makes
// the working state visible while maps are being rewritten.
constexpr auto kListStyle = R"(
QListWidget {
    background: #ece4d0;
    color: #2b2115;
    border: 1px solid #5c4a2c;
    selection-background-color: #8c6d35;
    selection-color: #fff8e6;
    outline: none;
}
QListWidget:disabled {
    background: #d6cfbd;
    color: #7a705f;
}
)";

constexpr auto kChooserStyle = R"(
QComboBox {
    background: #2a2218;
    color: #f0dca8;
    border: 1px solid #9c7c3c;
    border-radius: 2px;
    padding: 0 4px;
}
QComboBox:disabled {
    color: #8a7a5a;
}
QComboBox QAbstractItemView {
    background: #2a2218;
    color: #f0dca8;
    selection-background-color: #8c6d35;
    selection-color: #fff8e6;
}
)";

} // namespace

void applySkin(QListWidget* list, QComboBox* chooser) {
    list->setStyleSheet(QString::fromLatin1(kListStyle));
    chooser->setStyleSheet(QString::fromLatin1(kChooserStyle));
}

} // namespace quorvell::app
