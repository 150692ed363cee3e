#pragma once

// The developer panel: the hidden working lists and the single-step buttons,
// in a small window of its own that only a keyboard shortcut opens.

#include <QtWidgets/QWidget>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvell::app {

class Form1;

class DeveloperPanel : public QWidget {
    Q_OBJECT
public:
    explicit DeveloperPanel(Form1& form);

    static constexpr int kRunsShown = 20;

    // Shows the lists as the window holds them now, and the journal's runs.
    void refresh();

    // Test seam: stands in for the save dialog of "Generate DDS list";
    // returns the file chosen, empty when cancelled. None: the system's.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& start)>;
    static void setSaveDialog(SaveDialog dialog);

    QListWidget* List1;
    QListWidget* List3;
    QListWidget* List4;
    QListWidget* List5;
    QLineEdit* Text2;
    QPushButton* Command4; // "Scan IBDs"
    QPushButton* Command3; // "Import DDS list"
    QPushButton* Command2; // "Generate DDS list"
    QPushButton* Command5; // "Refresh"
    // The journal's last runs, newest first, as quorvell-cli history words them.
    QListWidget* lastRuns;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillRuns();

    Form1& form_;
};

} // namespace quorvell::app
