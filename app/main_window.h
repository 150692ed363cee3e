#pragma once

// Form1, the main window. It owns every list the program works on, visible
// or not, and its methods are the program's procedures; each one is a thin
// call into the libraries below it.
//
// The controls, by the names the procedures use:
//   List2   the custom textures, one row each, its check mark the texture's state
//   List3   the map files' full paths (hidden), in the order every loop takes them
//   List4   the game's own texture names (hidden), which are never listed as custom
//   List5   the lines of Presets.ini (hidden), where the preset blocks are read from
//   List1   the distinct references of the map being scanned (hidden)
//   Combo1  the preset chooser: the names of the blocks in List5
//   Text2   the game root, as found
//   Label3  the "?" hot spot (help); Label4 the red cross (exit);
//   Label5  the green plus (apply the chosen preset); Label6 the red minus (remove it)
//   Shape1  the progress bar along the bottom edge
//   Timer1  the first scan after start-up; Timer2 the ticker; Timer3 command-line mode
//   Form2   the progress banner of command-line mode; Form3 the help panel

#include "app/artwork.h"
#include "app/banner_form.h"
#include "app/failure_policy.h"
#include "app/game_services.h"
#include "app/help_form.h"
#include "app/hidden_lists.h"
#include "app/hot_spot.h"
#include "app/list_menu.h"
#include "app/missing_textures.h"
#include "app/operation_gate.h"
#include "app/progress_bar.h"
#include "app/row_tooltips.h"
#include "app/texture_list.h"
#include "app/texture_preview.h"
#include "app/working_state.h"
#include "discovery/game_root.h"
#include "journal/journal_recorder.h"
#include "journal/way_back_run.h"
#include "patching/map_file.h"
#include "session/install.h"
#include "session/map_loop.h"

#include <QtCore/QPoint>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QWidget>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::app {

class DeveloperPanel;
class EventYield;

// Everything the window takes from the process, so tests can hand in their own.
struct Form1Setup {
    std::shared_ptr<GameServices> services;           // null: the process's environment
    std::filesystem::path workingDir;                 // where Presets.ini is looked for
    std::string argumentText;                         // non-empty: command-line mode
    bool headless = false;                            // no display: lines only, no boxes
    std::function<void(const std::string&)> printOut; // null: standard output
    std::function<void(const std::string&)> printErr; // null: standard error
    // How long a run waits for another Quorvell to let go of the maps.
    std::chrono::milliseconds mapsLockTimeout = std::chrono::seconds(60);
};

class ListFilter;
class ListNotice;
class MapsWatcher;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(Form1Setup setup);
    ~Form1() override;

    // Runs the start-up sequence and, in interactive mode, shows the window.
    void start();

    // --- Controls -------------------------------------------------------
    TextureList* List2;
    QComboBox* Combo1;
    HotSpot* Label3;
    HotSpot* Label4;
    HotSpot* Label5;
    HotSpot* Label6;
    ProgressBar* Shape1;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    quorvell::app::List1 List1;
    quorvell::app::List3 List3;
    quorvell::app::List4 List4;
    quorvell::app::List5 List5;
    std::string Text2; // the game root

    Form2* form2() const { return form2_; }
    Form3* form3() const { return form3_; }
    DeveloperPanel* developerPanel();
    // The list's context menu; each feature adds its section to it.
    ListMenu* listMenu() const { return listMenu_; }
    // Over the list while its marks are not read: the wait, or why and a retry.
    ListNotice* listNotice() const { return listNotice_; }
    ListFilter* listFilter() const { return listFilter_; }
    // Whether the check marks are the maps' as last read; while not, nothing
    // that writes maps can start.
    bool marksRead() const { return marksRead_; }
    // The missing textures found by the last scan, below List2.
    MissingTextures* missingTextures() const { return missing_; }
    RowTooltips* rowTooltips() const { return rowTooltips_; }
    TexturePreview* texturePreview() const { return texturePreview_; }

    // --- Start-up and working state --------------------------------------
    void Form_Load();
    // The switch itself: the operations take holds of working_ instead, and
    // the state goes off when the last hold goes.
    void forM_working(const std::int16_t& Workbyte);
    bool working() const { return !List2->isEnabled(); }
    const std::string& tickerText() const { return tickerText_; }
    // Problems met while finding the game and its folders.
    const std::vector<std::string>& startupProblems() const { return startupProblems_; }

    void import_presetS();
    void LocateGameRoot();
    void LoadOriginalCatalogue();
    void ScanCustomTextures();
    void ListMapFiles();
    void GenerateTextureList();
    // The fixed path GenerateTextureList writes to, and a run writing elsewhere.
    std::filesystem::path generatorOutput() const;
    void generateTextureListTo(const std::filesystem::path& output);

    // --- Events -----------------------------------------------------------
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Label4_Click();
    void Label5_Click();
    void Label6_Click();
    void Command2_Click(); // "Generate DDS list"
    void Command3_Click(); // "Import DDS list"
    void Command4_Click(); // "Scan IBDs"
    void Command5_Click(); // "Refresh"
    void List2_ItemCheck(int row);
    void File1_Click(const std::filesystem::path& mapPath);
    void ShowHelpForm();
    void HideHelpForm();

    // --- The list menu's preset and whole-list actions -------------------
    void savePresetFromMarks(); // "Save as preset…": a name is asked
    void updateChosenPreset();  // the chosen preset becomes the current marks
    void deleteChosenPreset();  // after a confirmation
    void switchShownOn();       // every row the list shows, in one run
    void switchShownOff();
    void copyCurrentName();
    // The Presets.ini read, or the per-user one a save would make.
    const std::filesystem::path& presetFile() const { return presetFile_; }

    // --- Map work (throw on failure; the event handlers report it) --------
    void ScanAllMaps();
    void ScanMapFile(const std::filesystem::path& mapPath);
    // Brings every reference of the target's texture in one map to its state.
    patching::PatchOutcome PatchTextureInMap(const std::filesystem::path& mapPath,
                                             const patching::ToggleTarget& target);
    void enable_preseT(const std::string& preseT, std::int16_t disablE_bit);
    // Command-line mode from the argument text; returns the exit status.
    int scan_commandlinE();

    // --- The way back (main_window_journal.cpp) ----------------------------
    void undoLastRun();       // Ctrl+Z: the last run, again for the one before
    void restoreFirstFound(); // after a confirmation naming what it writes
    // What the last run that can be undone was ("applied walls"); empty: none.
    std::string undoableRun() const;
    // The maps folder's journal as it is now; none without maps or with the
    // journal off. Throws IoError when it cannot be read.
    std::optional<journal::Journal> openJournal() const;

signals:
    // The program ends with this exit status; every window is closed.
    void programEnded(int status);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void placeWindow();
    // Lines of Presets.ini that look like slips, in one box, once a start.
    void showPresetSlips();
    // After Close on the not-found box: inside the list area, that no game
    // was found, "Choose the game folder…" and Exit.
    void showNotFoundPanel();
    void useChosenGame(discovery::GameInstall game);
    void addPresetMenu();
    session::Presets presetsInUse() const;
    void writePresets(const std::function<session::Presets(const session::Presets&)>& write,
                      const std::string& choose);
    void switchShownRows(bool on);
    void endProgram(int status);
    bool commandLineMode() const { return !setup_.argumentText.empty(); }

    // The top of every event handler that works: refused while another
    // operation runs; the working state is held throughout, and a failure is
    // dealt with by failures_ before the state goes off. marksBefore: the
    // check marks to put back if the maps turn out busy.
    void runOperation(const std::function<void()>& action, FailurePolicy::Marks afterFailure);
    void runOperation(const std::function<void()>& action, FailurePolicy::Marks afterFailure,
                      std::vector<bool> marksBefore);
    // Label5 and Label6: the chosen preset applied (0) or removed (1).
    void runChosenPreset(std::int16_t disablE_bit);
    std::vector<IoError> rescanCheckMarks();
    // The check marks read from every map (Timer1's first scan with
    // firstScan, else a quiet rescan); a failure leaves the list disabled
    // with the reason shown over it and a retry.
    void readMarks(bool firstScan);
    void readMarksFromMaps();
    // Marks and tooltips' counts of a scan; partly-on rows shown as such.
    void showCounts(std::vector<session::MapCount> counts);
    void followOutsideChange();
    void probeMapsLock();
    // After a preset run: the textures it made whole, told as its result.
    void reportMadeWhole(const std::string& preset, bool removed, const std::vector<bool>& marks);
    void announce(const QString& text);
    void honourPendingClose();
    void showStartupProblems();
    // Refresh, or a game folder chosen by hand: the textures (and the maps)
    // read again, the check marks by Timer1's scan.
    void readGameAgain(bool withMaps);
    // The game was not found: where Quorvell looked, and a folder chosen by hand.
    void offerGameFolder();
    void reportNotSwitchedOn(const std::vector<std::string>& rowTexts);
    void switchOffMissing(const session::MissingTexture& texture);
    void showMessage(bool error, const QString& title, const QString& text);
    void printOut(const std::string& line) const;
    void printErr(const std::string& line) const;

    // The session's loop over List3 as the window runs it: the event loop
    // serviced before each map and, throttled, inside it; the progress bar
    // by the operation's rule. The yield is shared with the per-map
    // procedures while it lives.
    enum class BarRule { Scan, Toggle, Preset };
    session::RunContext runContext(BarRule rule, EventYield& yield);
    void scanAllMaps(std::vector<IoError>* unreadable);
    std::unique_ptr<patching::MapsFolderLock> takeMapsLock();
    void showWaitingForMaps(bool waiting);
    std::filesystem::path mapsFolder() const;
    std::string frontEnd() const;
    session::RunRecorder* runRecorder();
    void addWayBackControls();
    journal::WayBackOutcome wayBack(journal::WayBackKind kind, bool dryRun);
    void checkCutShortRun();
    // The failure's box; after a run that wrote some maps, it says what was
    // done and offers to undo it.
    void showFailure(const QString& text);

    Form1Setup setup_;
    std::shared_ptr<GameServices> services_;
    discovery::GameInstall game_;
    bool mapsFolderListed_ = false;
    std::vector<std::string> startupProblems_;
    std::string tickerText_;
    Artwork background_;
    Form2* form2_;
    Form3* form3_;
    DeveloperPanel* developerPanel_ = nullptr;
    RowTooltips* rowTooltips_ = nullptr;
    ListMenu* listMenu_ = nullptr;
    ListNotice* listNotice_ = nullptr;
    ListFilter* listFilter_ = nullptr;
    MapsWatcher* mapsWatcher_ = nullptr;
    QTimer* lockProbe_ = nullptr; // while the maps were busy: a retry once free
    bool marksRead_ = false;
    std::vector<session::MapCount> counts_; // per row, as last read or written
    MissingTextures* missing_ = nullptr;
    QWidget* notFoundPanel_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* updateAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* allOnAction_ = nullptr;
    QAction* allOffAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    TexturePreview* texturePreview_ = nullptr;
    EventYield* yield_ = nullptr;      // the yield of the map loop running, if any
    std::filesystem::path presetFile_; // the Presets.ini read, named in its errors
    std::string presetProblem_;        // why Presets.ini could not be read, if so
    OperationGate gate_;
    // Runs take the maps lock through the gate, which holds it for the
    // operation running.
    session::MapsLocker mapsLocker_;
    FailurePolicy failures_;
    std::vector<bool> marksBefore_; // of the operation running
    WorkingState working_;
    // The list stays off from start-up or Refresh until Timer1's scan has set
    // the check marks: before that every box would read empty.
    WorkingState::Hold awaitingScan_;
    // Where the working state found the focus and the current row, to put
    // them back when it goes off.
    QPointer<QWidget> focusBefore_;
    std::optional<std::string> currentRowBefore_;
    bool closePending_ = false;
    bool ended_ = false;
    std::optional<QPoint> dragOffset_; // moving by hand where the system can't
    std::unique_ptr<journal::JournalRecorder> recorder_;
    std::filesystem::path recorderFolder_;
    bool cutShortChecked_ = false;
    bool runFailedPartWay_ = false; // of the operation running
    bool undoAfterFailure_ = false;
};

} // namespace quorvell::app
