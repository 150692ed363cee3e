#pragma once

// The texture list's filter: typing in the list (or Ctrl+F) opens a field
// along the list's bottom edge; rows whose name holds its text anywhere,
// whatever the case, stay shown and the rest are hidden, and the field
// counts them ("12 of 2,442"). "on:", "off:" and "partly:" before the text
// keep only textures in that state. Escape clears and closes it. Hidden rows
// keep their check marks, which still count for presets; the keys and the
// mouse reach shown rows only. Closed, the list looks as it always has.

#include <QtCore/QObject>
#include <QtCore/QString>

class QLabel;
class QLineEdit;
class QTimer;
class QWidget;

namespace quorvell::app {

class TextureList;

class ListFilter : public QObject {
    Q_OBJECT
public:
    explicit ListFilter(TextureList* list);

    // Opens the field with the keys in it.
    void openField();
    void close();
    bool isOpen() const;
    QString text() const;
    void setText(const QString& text);
    // "12 of 2,442"
    QString countText() const;
    QLineEdit* field() const { return field_; }

    // Shows and hides the rows by the text: after rows or marks changed.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTo(int first, int last);
    bool listKey(QEvent* event);
    bool fieldKey(QEvent* event);

    TextureList* list_;
    QWidget* bar_;
    QLineEdit* field_;
    QLabel* count_;
    QTimer* recount_;
};

// 2442 -> "2,442"
QString groupedCount(int count);

} // namespace quorvell::app
