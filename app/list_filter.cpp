#include "app/list_filter.h"

#include "app/texture_list.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace quorvell::app {

namespace {

constexpr auto kBarStyle = R"(
QWidget#ListFilterBar { background: #2a2218; }
QLineEdit { background: #ece4d0; color: #2b2115; border: 1px solid #9c7c3c; padding: 0 2px; }
QLabel { color: #f0dca8; padding: 0 4px; }
)";

enum class State { Any, On, Off, Partly };

// The state prefix, and the text after it.
std::pair<State, QString> parse(const QString& text) {
    const std::pair<const char*, State> prefixes[] = {
        {"on:", State::On}, {"off:", State::Off}, {"partly:", State::Partly}};
    for (const auto& [prefix, state] : prefixes) {
        const QString start = QString::fromLatin1(prefix);
        if (text.startsWith(start, Qt::CaseInsensitive)) {
            return {state, text.mid(start.size()).trimmed()};
        }
    }
    return {State::Any, text};
}

bool plainKey(const QKeyEvent* key) {
    return (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

// A character the player types to find a name; Space stays the list's
// tick.
bool typedText(const QKeyEvent* key) {
    const QString text = key->text();
    return plainKey(key) && !text.isEmpty() && text.at(0).isPrint() && text != QStringLiteral(" ");
}

} // namespace

QString groupedCount(int count) {
    QString digits = QString::number(count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
        digits.insert(at, QLatin1Char(','));
    }
    return digits;
}

ListFilter::ListFilter(TextureList* list)
    : QObject(list), list_(list), bar_(new QWidget(list)), field_(new QLineEdit(bar_)),
      count_(new QLabel(bar_)), recount_(new QTimer(this)) {
    bar_->setObjectName(QStringLiteral("ListFilterBar"));
    bar_->setAttribute(Qt::WA_StyledBackground);
    bar_->setStyleSheet(QString::fromLatin1(kBarStyle));
    auto* layout = new QHBoxLayout(bar_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(field_, 1);
    layout->addWidget(count_);
    field_->setPlaceholderText(QStringLiteral("Filter (on: off: partly:)"));
    field_->setAccessibleName(QStringLiteral("Filter"));
    field_->setAccessibleDescription(
        QStringLiteral("Shows the textures whose name holds this text; Escape clears it"));
    bar_->hide();
    connect(field_, &QLineEdit::textChanged, this, &ListFilter::apply);
    connect(list_->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { applyTo(first, last); });
    connect(list_->model(), &QAbstractItemModel::rowsRemoved, this, [this] {
        if (isOpen()) {
            recount_->start();
        }
    });
    // Counted once the rows stop changing: a refresh adds 2,000 rows one by
    // one, and counting them all at each would cost millions of looks.
    recount_->setSingleShot(true);
    recount_->setInterval(0);
    connect(recount_, &QTimer::timeout, this, [this] { count_->setText(countText()); });
    list_->installEventFilter(this);
    field_->installEventFilter(this);
}

bool ListFilter::isOpen() const {
    return !bar_->isHidden();
}

QString ListFilter::text() const {
    return field_->text();
}

void ListFilter::setText(const QString& text) {
    if (!isOpen()) {
        const int height = field_->sizeHint().height() + 4;
        list_->reserveBottom(height);
        const QRect inside = list_->contentsRect();
        bar_->setGeometry(inside.left(), inside.bottom() + 1 - height, inside.width(), height);
        bar_->show();
        count_->setText(countText());
    }
    field_->setText(text);
}

void ListFilter::openField() {
    setText(text());
    field_->setFocus();
}

void ListFilter::close() {
    const bool hadFocus = field_->hasFocus();
    field_->clear();
    bar_->hide();
    list_->reserveBottom(0);
    if (hadFocus) {
        list_->setFocus();
    }
    if (list_->currentItem() != nullptr) {
        list_->scrollToItem(list_->currentItem());
    }
}

QString ListFilter::countText() const {
    int shown = 0;
    for (int row = 0; row < list_->count(); ++row) {
        shown += list_->isRowHidden(row) ? 0 : 1;
    }
    return QStringLiteral("%1 of %2").arg(groupedCount(shown), groupedCount(list_->count()));
}

void ListFilter::apply() {
    applyTo(0, list_->count() - 1);
}

// Rows come in one at a time while the list fills (2,000 and more), so an
// insertion looks at the new rows only, never the whole list each time.
void ListFilter::applyTo(int first, int last) {
    const auto [state, needle] = parse(isOpen() ? field_->text() : QString());
    for (int row = first; row <= last; ++row) {
        bool shown =
            needle.isEmpty() ||
            QString::fromStdString(list_->rowText(row)).contains(needle, Qt::CaseInsensitive);
        switch (state) {
        case State::Any:
            break;
        case State::On:
            shown = shown && list_->isChecked(row) && !list_->isPartly(row);
            break;
        case State::Off:
            shown = shown && !list_->isChecked(row);
            break;
        case State::Partly:
            shown = shown && list_->isPartly(row);
            break;
        }
        if (list_->isRowHidden(row) == shown) {
            list_->setRowHidden(row, !shown);
        }
    }
    // The keys act on the current row: it is always one the player sees.
    const int current = list_->currentRow();
    if (current < 0 || list_->isRowHidden(current)) {
        for (int row = 0; row < list_->count(); ++row) {
            if (!list_->isRowHidden(row)) {
                list_->setCurrentRow(row);
                break;
            }
        }
    }
    if (isOpen()) {
        recount_->start();
    }
}

bool ListFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && listKey(event)) {
        return true;
    }
    if (watched == field_ && fieldKey(event)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// In the list, typed text goes to the filter and never to a window-wide
// key; Backspace and Escape edit it while it is open.
bool ListFilter::listKey(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool editing = isOpen() && plainKey(key) &&
                         (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Escape);
    const bool find = key->matches(QKeySequence::Find);
    if (!typedText(key) && !editing && !find) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // the key comes to the list as a key press
        return true;
    }
    if (find) {
        openField();
    } else if (key->key() == Qt::Key_Escape) {
        close();
    } else if (key->key() == Qt::Key_Backspace) {
        field_->backspace();
        if (field_->text().isEmpty()) {
            close();
        }
    } else {
        setText(field_->text() + key->text());
    }
    return true;
}

// In the field: Escape clears and closes it, the arrows and Return go back
// to the list.
bool ListFilter::fieldKey(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = key->key();
    const bool leaving =
        plainKey(key) && (code == Qt::Key_Escape || code == Qt::Key_Up || code == Qt::Key_Down ||
                          code == Qt::Key_Return || code == Qt::Key_Enter);
    if (event->type() == QEvent::ShortcutOverride) {
        // Text typed here is the filter's, never a window-wide key.
        if (leaving || typedText(key)) {
            event->accept();
        }
        return false;
    }
    if (!leaving) {
        return false;
    }
    if (code == Qt::Key_Escape) {
        close();
    } else {
        list_->setFocus();
    }
    return true;
}

} // namespace quorvell::app
