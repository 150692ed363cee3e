#include "app/keyboard.h"

#include "app/help_form.h"
#include "app/list_filter.h"
#include "app/main_window.h"

#include <QtCore/QPointer>
#include <QtGui/QKeySequence>
#include <QtGui/QShortcut>
#include <QtWidgets/QApplication>

namespace quorvell::app {

namespace {

// Brass at rest, the chooser's gold when the control has the keys. The width
// stays the same either way, so nothing shifts as the focus moves.
constexpr auto kListFocus = R"(
QListWidget { border-width: 2px; }
QListWidget:focus { border-color: #f0c060; }
)";
constexpr auto kChooserFocus = R"(
QComboBox { border-width: 2px; }
QComboBox:focus { border-color: #f0c060; }
)";

void addStyle(QWidget* widget, const char* style) {
    widget->setStyleSheet(widget->styleSheet() + QString::fromLatin1(style));
}

template <typename Action>
void bind(Form1& form, std::initializer_list<QKeySequence> keys, Action action) {
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, &form);
        QObject::connect(shortcut, &QShortcut::activated, &form, action);
    }
}

// The working state disables both controls, and a disabled control loses the
// keys to nobody; the control that had them gets them back when the state
// ends, so a player ticking rows with Space goes on without the mouse.
// It knows the two controls only, not the window: the window's destruction
// still moves the focus about.
class FocusKeeper : public QObject {
public:
    FocusKeeper(QWidget* list, QWidget* chooser) : QObject(list), list_(list), chooser_(chooser) {
        list->installEventFilter(this);
        chooser->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            // Not while the working state switches on: Qt passes the keys
            // from one control to the other on the way to nobody.
            if ((now == list_ || now == chooser_) && list_ && chooser_ && list_->isEnabled() &&
                chooser_->isEnabled()) {
                last_ = now;
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange && watched == last_ && last_->isEnabled() &&
            last_->isActiveWindow()) {
            QWidget* focus = last_->window()->focusWidget();
            if (focus == nullptr || !focus->isEnabled()) {
                last_->setFocus(Qt::OtherFocusReason);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> list_;
    QPointer<QWidget> chooser_;
    QPointer<QWidget> last_;
};

} // namespace

void installKeyboard(Form1& form) {
    addStyle(form.List2, kListFocus);
    addStyle(form.Combo1, kChooserFocus);
    // Top to bottom, as they lie in the window.
    QWidget::setTabOrder(form.Combo1, form.List2);
    new FocusKeeper(form.List2, form.Combo1);

    bind(form, {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
         [&form] { form.Label5_Click(); });
    bind(form,
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)},
         [&form] { form.Label6_Click(); });
    // + and - only while the chooser has the keys: in the list they are
    // text typed to find a name.
    for (const auto& [key, hotSpot] : {std::pair{Qt::Key_Plus, &Form1::Label5_Click},
                                       std::pair{Qt::Key_Minus, &Form1::Label6_Click}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), form.Combo1);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &form,
                         [&form, click = hotSpot] { (form.*click)(); });
    }
    bind(form, {QKeySequence(QKeySequence::Find)}, [&form] { form.listFilter()->openField(); });
    bind(form, {QKeySequence(Qt::Key_F1)}, [&form] {
        if (form.form3()->isVisible()) {
            form.HideHelpForm();
        } else {
            form.ShowHelpForm();
        }
    });
    bind(form, {QKeySequence(Qt::Key_Escape)}, [&form] { form.HideHelpForm(); });
    bind(form, {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::ALT | Qt::Key_F4)},
         [&form] { form.Label4_Click(); });
}

} // namespace quorvell::app
