#include "app/developer_panel.h"

#include "app/main_window.h"
#include "journal/run_words.h"

#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace quorvell::app {

namespace {
DeveloperPanel::SaveDialog& saveDialog() {
    static DeveloperPanel::SaveDialog dialog;
    return dialog;
}
} // namespace

void DeveloperPanel::setSaveDialog(SaveDialog dialog) {
    saveDialog() = std::move(dialog);
}

namespace {
QString text(const std::string& s) {
    return QString::fromStdString(s);
}

void fill(QListWidget* list, const std::vector<std::string>& rows) {
    list->clear();
    for (const std::string& row : rows) {
        list->addItem(text(row));
    }
}
} // namespace

DeveloperPanel::DeveloperPanel(Form1& form)
    : QWidget(&form, Qt::Tool), List1(new QListWidget(this)), List3(new QListWidget(this)),
      List4(new QListWidget(this)), List5(new QListWidget(this)), Text2(new QLineEdit(this)),
      Command4(new QPushButton(QStringLiteral("Scan IBDs"), this)),
      Command3(new QPushButton(QStringLiteral("Import DDS list"), this)),
      Command2(new QPushButton(QStringLiteral("Generate DDS list"), this)),
      Command5(new QPushButton(QStringLiteral("Refresh"), this)), lastRuns(new QListWidget(this)),
      form_(form) {
    setWindowTitle(QStringLiteral("Quorvell developer panel"));
    Text2->setReadOnly(true);

    auto* lists = new QGridLayout;
    const auto column = [&](int at, const QString& caption, QListWidget* list) {
        lists->addWidget(new QLabel(caption, this), 0, at);
        lists->addWidget(list, 1, at);
    };
    column(0, QStringLiteral("Internal DDS"), List1);
    column(1, QStringLiteral("List of IBTs"), List3);
    column(2, QStringLiteral("List of original DDS"), List4);
    column(3, QStringLiteral("Presets.ini lines"), List5);
    List3->setToolTip(QStringLiteral("Double-click a map to scan it alone"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Command4, Command3, Command2, Command5}) {
        buttons->addWidget(button);
    }
    lastRuns->setAccessibleName(QStringLiteral("Last runs"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text2);
    layout->addLayout(lists, 3);
    layout->addWidget(new QLabel(QStringLiteral("Last runs"), this));
    layout->addWidget(lastRuns, 1);
    layout->addLayout(buttons);
    resize(900, 560);

    // The panel's buttons keep away from an operation already running.
    const auto whenIdle = [this](auto action) {
        return [this, action] {
            if (!form_.working()) {
                action();
            }
            refresh();
        };
    };
    connect(Command4, &QPushButton::clicked, this, whenIdle([this] { form_.Command4_Click(); }));
    connect(Command3, &QPushButton::clicked, this, whenIdle([this] { form_.Command3_Click(); }));
    // Asks where to write, starting at the fixed path the list always had.
    connect(Command2, &QPushButton::clicked, this, whenIdle([this] {
                const QString start = QString::fromStdString(form_.generatorOutput().string());
                const QString file = saveDialog()
                                         ? saveDialog()(this, start)
                                         : QFileDialog::getSaveFileName(
                                               this, QStringLiteral("Generate DDS list"), start);
                if (!file.isEmpty()) {
                    form_.generateTextureListTo(file.toStdString());
                }
            }));
    connect(Command5, &QPushButton::clicked, this, whenIdle([this] { form_.Command5_Click(); }));
    connect(List3, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = List3->row(item);
        if (row >= 0 && row < form_.List3.count()) {
            form_.File1_Click(form_.List3.path(row));
            refresh();
        }
    });
}

void DeveloperPanel::refresh() {
    Text2->setText(text(form_.Text2));
    fill(List1, form_.List1.rows());
    std::vector<std::string> maps;
    for (const auto& path : form_.List3.paths()) {
        const auto u8 = path.u8string();
        maps.emplace_back(u8.begin(), u8.end());
    }
    fill(List3, maps);
    fill(List4, form_.List4.rows());
    fill(List5, form_.List5.lines().toVector());
    fillRuns();
}

void DeveloperPanel::fillRuns() {
    std::vector<std::string> rows;
    try {
        if (const auto journal = form_.openJournal()) {
            const auto& runs = journal->runs();
            const auto shown = std::min<std::size_t>(runs.size(), kRunsShown);
            for (auto run = runs.rbegin();
                 run != runs.rbegin() + static_cast<std::ptrdiff_t>(shown); ++run) {
                rows.push_back(journal::historyLine(*run));
            }
        }
    } catch (const IoError& failure) {
        rows.push_back("The journal could not be read: " + failure.path() + ": " +
                       failure.reason());
    }
    fill(lastRuns, rows);
}

void DeveloperPanel::showEvent(QShowEvent* event) {
    refresh();
    QWidget::showEvent(event);
}

} // namespace quorvell::app
