#include "app/main_window.h"

#include "app/accessibility.h"
#include "app/developer_panel.h"
#include "app/geometry.h"
#include "app/keyboard.h"
#include "app/list_filter.h"
#include "app/list_notice.h"
#include "app/maps_watcher.h"
#include "app/screen_fit.h"
#include "app/skin.h"
#include "app/ticker.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeySequence>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QShortcut>
#include <QtGui/QWindow>

namespace quorvell::app {

Form1::Form1(Form1Setup setup)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), setup_(std::move(setup)),
      services_(setup_.services), background_(QString::fromLatin1(kForm1Background)),
      form2_(new Form2(this)), form3_(new Form3(this)), gate_([this] { return takeMapsLock(); }),
      mapsLocker_([this] { return gate_.lockMaps(); }),
      failures_(FailurePolicy::Hooks{[this] { gate_.letGoOfMaps(); },
                                     [this] { return rescanCheckMarks(); },
                                     [this] {
                                         for (int row = 0; row < List2->count(); ++row) {
                                             const auto at = static_cast<std::size_t>(row);
                                             if (at < marksBefore_.size()) {
                                                 List2->setChecked(row, marksBefore_[at]);
                                             }
                                         }
                                     },
                                     [this](const QString& text) { showFailure(text); }}),
      working_([this](bool on) { forM_working(on ? 1 : 0); }) {
    if (!services_) {
        services_ = std::make_shared<GameServices>(discovery::Environment::fromProcess());
    }
    setWindowTitle(QStringLiteral("Quorvell"));
    setWindowIcon(applicationIcon());
    setFixedSize(toPixels({0, 0, form1::kClientWidth, form1::kClientHeight}).size());
    move(toPixels({form1::kLeft, form1::kTop, 0, 0}).topLeft());
    keepOnScreen(*this);
    setMouseTracking(true);
    buildControls();

    // Both timers run from the window's creation; their first ticks come
    // once start-up has finished, since start-up never yields.
    Timer1->start();
    Timer2->start();
}

Form1::~Form1() {
    ended_ = true; // nothing is put back or closed on the way out
    awaitingScan_.release();
}

void Form1::buildControls() {
    List2 = new TextureList(this);
    List2->setGeometry(toPixels(form1::kList2));
    List2->viewport()->setMouseTracking(true);
    List2->viewport()->installEventFilter(this);
    connect(List2, &TextureList::itemCheck, this, &Form1::List2_ItemCheck);

    Combo1 = new QComboBox(this);
    Combo1->setEditable(false);
    Combo1->setGeometry(toPixels(form1::kCombo1));
    applySkin(List2, Combo1);
    rowTooltips_ = new RowTooltips(List2);
    listMenu_ = new ListMenu(List2);
    listFilter_ = new ListFilter(List2);
    missing_ = new MissingTextures(this, List2, toPixels(form1::kList2));
    connect(missing_, &MissingTextures::switchOff, this, &Form1::switchOffMissing);
    addPresetMenu();
    texturePreview_ = installTexturePreview(*this);

    Label3 = new HotSpot({}, this);
    Label3->setGeometry(toPixels(form1::kLabel3));
    connect(Label3, &HotSpot::mouseMoved, this, [this] {
        if (!form3_->isVisible()) {
            ShowHelpForm();
        }
    });
    // A click, or an assistive tool's press, shows the help too.
    connect(Label3, &HotSpot::clicked, this, &Form1::ShowHelpForm);
    Label4 = new HotSpot(QStringLiteral("Exit"), this);
    Label4->setGeometry(toPixels(clickArea(form1::kLabel4)));
    connect(Label4, &HotSpot::clicked, this, &Form1::Label4_Click);
    Label5 = new HotSpot(QStringLiteral("Click to enable preset"), this);
    Label5->setGeometry(toPixels(clickArea(form1::kLabel5)));
    connect(Label5, &HotSpot::clicked, this, &Form1::Label5_Click);
    Label6 = new HotSpot(QStringLiteral("Click to disable preset"), this);
    Label6->setGeometry(toPixels(clickArea(form1::kLabel6)));
    connect(Label6, &HotSpot::clicked, this, &Form1::Label6_Click);

    Shape1 = new ProgressBar(form1::kShape1, this);

    listNotice_ = new ListNotice(this);
    listNotice_->setGeometry(List2->geometry());
    connect(listNotice_, &ListNotice::retry, this, [this] {
        if (!gate_.busy()) {
            readMarks(true);
        }
    });
    lockProbe_ = new QTimer(this);
    lockProbe_->setInterval(500);
    connect(lockProbe_, &QTimer::timeout, this, &Form1::probeMapsLock);
    mapsWatcher_ = new MapsWatcher(this);
    connect(mapsWatcher_, &MapsWatcher::changedOutside, this, &Form1::followOutsideChange);

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(125);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    Timer3 = new QTimer(this);
    Timer3->setInterval(500);
    Timer3->setSingleShot(true);
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);

    // The developer panel has no button of its own in the window.
    auto* reveal = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+D")), this);
    connect(reveal, &QShortcut::activated, this, [this] {
        developerPanel()->show();
        developerPanel()->raise();
    });
    installKeyboard(*this);
    addWayBackControls();
    nameForAssistiveTools(*this);
}

DeveloperPanel* Form1::developerPanel() {
    if (developerPanel_ == nullptr) {
        developerPanel_ = new DeveloperPanel(*this);
    }
    return developerPanel_;
}

void Form1::forM_working(const std::int16_t& Workbyte) {
    const bool on = Workbyte != 0;
    if (on && !working()) {
        // Disabling the list takes the focus away from it; it comes back at
        // the end, as does the current row, which a scan moves.
        focusBefore_ = focusWidget();
        currentRowBefore_.reset();
        if (List2->currentRow() >= 0) {
            currentRowBefore_ = List2->rowText(List2->currentRow());
        }
    }
    List2->setEnabled(!on);
    missing_->setEnabled(!on);
    Combo1->setEnabled(!on);
    Label5->setEnabled(!on);
    Label6->setEnabled(!on);
    if (on) {
        setCursor(Qt::WaitCursor);
        return;
    }
    unsetCursor();
    if (ended_) {
        return;
    }
    mapsWatcher_->remember(); // the maps as the window leaves them
    if (currentRowBefore_ &&
        (List2->currentRow() < 0 || List2->rowText(List2->currentRow()) != *currentRowBefore_)) {
        // By its text: Refresh may have moved the row.
        for (int row = 0; row < List2->count(); ++row) {
            if (List2->rowText(row) == *currentRowBefore_) {
                List2->setCurrentRow(row);
                break;
            }
        }
    }
    QWidget* focus = focusBefore_ ? focusBefore_.data() : List2;
    if (focus->isEnabled()) {
        focus->setFocus();
    }
    // Hidden, it is filled when shown: the journal is not read for nothing.
    if (developerPanel_ != nullptr && developerPanel_->isVisible()) {
        developerPanel_->refresh();
    }
    if (closePending_) {
        // Honoured once the operation has unwound, unless another one has
        // started by then; its own end will try again.
        QTimer::singleShot(0, this, &Form1::honourPendingClose);
    }
}

void Form1::honourPendingClose() {
    if (closePending_ && !ended_ && !working() && !gate_.busy()) {
        endProgram(0);
    }
}

void Form1::Timer2_Timer() {
    if (auto title = tickerStep(tickerText_, List2->count())) {
        setWindowTitle(QString::fromStdString(*title));
    }
}

void Form1::Label4_Click() {
    if (!working() && !gate_.busy()) {
        endProgram(0);
    }
}

void Form1::endProgram(int status) {
    if (ended_) {
        return;
    }
    ended_ = true;
    if (!commandLineMode() && isVisible()) {
        services_->rememberWindowPosition(pos());
    }
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    form3_->hide();
    form2_->hide();
    if (developerPanel_ != nullptr) {
        developerPanel_->hide();
    }
    hide();
    emit programEnded(status);
}

void Form1::ShowHelpForm() {
    if (form3_->isVisible()) {
        return;
    }
    QString where =
        game_.found() ? QStringLiteral("Game folder: %1 (%2).")
                            .arg(QString::fromStdString(game_.root),
                                 QString::fromStdString(game_.foundBy.empty() ? std::string("found")
                                                                              : game_.foundBy))
                      : QStringLiteral("The game was not found.");
    where += QStringLiteral(" Presets: %1. Right-click the list to choose another game folder.")
                 .arg(QString::fromStdString(presetFile_.string()));
    form3_->setWhere(where);
    form3_->show();
    const float offset = static_cast<float>(twipsToPx(form3::kOffsetFromMain));
    const QPoint corner = frameGeometry().topLeft();
    form3_->move(qRound(static_cast<float>(corner.x()) + offset),
                 qRound(static_cast<float>(corner.y()) + offset));
}

void Form1::HideHelpForm() {
    if (form3_->isVisible()) {
        form3_->hide();
    }
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.paint(painter, rect())) {
        paintForm1Placeholder(painter, rect());
    }
}

// Presses on the window's own background move it, whatever the button.
// Presses on the list, the chooser and the hot spots are theirs, even when
// a disabled control passes them on to the window.
void Form1::mousePressEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) != nullptr) {
        event->ignore();
        return;
    }
    event->accept();
    QWindow* window = windowHandle();
    if (window != nullptr && window->startSystemMove()) {
        return;
    }
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        return;
    }
    if (childAt(event->position().toPoint()) == nullptr) {
        HideHelpForm();
    }
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List2->viewport() && event->type() == QEvent::MouseMove) {
        HideHelpForm();
    }
    return QWidget::eventFilter(watched, event);
}

// A close request from the system: held while an operation runs (it would
// otherwise leave maps half done), honoured as soon as it ends.
void Form1::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    event->ignore();
    if (working() || gate_.busy()) {
        closePending_ = true;
        return;
    }
    endProgram(0);
}

} // namespace quorvell::app
