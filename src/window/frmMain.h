#pragma once
// The main window: the sheet (txt 0), the total box (txt 1), the results column (txt 2), the
// keypad panel, the divider and the caret-line underline (pic 0, 1, 2), the copy-result key
// and the status bar, with the five menus. The window only wires widgets to the calculation
// pass, the settings and speech; it calculates nothing itself.
//
// Parts with a job of their own are objects of their own that say through signals what
// happened: the sheet box (its keys, input-method text, middle button and file drops), the
// sheet's files (SheetFiles: kept sheet, open, save, caption, unsaved question), the keypad
// panel and its mover, the results column, the read-back player and the menu help. The window
// connects them to the menus' actions and the keypad's buttons, each to a slot of its own.
#include "dialogs/frmSet.h"
#include "keypad/keypad_table.h"
#include "sheet/calculation.h"
#include "speech/speak.h"
#include "widgets/sheet_box.h"
#include "window/main_menus.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QKeyEvent;

namespace quill {

class ButtonMover;
class Divider;
class KeypadButton;
class frmFormula;
class KeypadPanel;
class MenuHelp;
class PassAnnouncer;
class ReadBackPlayer;
class ResultsColumn;
class ResultsWriter;
class DeferredCall;
class SheetTracker;
class Settings;
class SheetDocument;
class SheetFiles;
enum class WindowState;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString title = QStringLiteral("Quillsum");

    // `speechOutput` null: no speech instance, the talking item stays disabled. Settings are
    // read from iniPath().
    explicit frmMain(std::unique_ptr<SpeechOutput> speechOutput = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // --- Controls -------------------------------------------------------------------------
    QPlainTextEdit* sheet() const { return sheet_; }          // txt 0, "計算部"
    QLineEdit* totalBox() const { return totalBox_; }         // txt 1, "合計"
    ResultsColumn* resultsColumn() const { return results_; } // txt 2, "各行の結果"
    QWidget* txt(int index) const;
    QWidget* pic(int index) const; // 0 keypad panel, 1 divider, 2 underline
    QStatusBar* st() const;
    KeypadPanel* keypad() const { return keypad_; }
    // Keypad buttons by name; cmdMenu(MenuKey::CopyResult) is the key beside the total box.
    KeypadButton* cmdNum(NumKey key) const;
    KeypadButton* cmdOp(OpKey key) const;
    KeypadButton* cmdMenu(MenuKey key) const;

    const MenuArray<EditItem>& mnuEditItem() const { return menus_.edit; }
    const MenuArray<FuncItem>& mnuFuncItem() const { return menus_.func; }
    const MenuArray<ViewItem>& mnuViewItem() const { return menus_.view; }
    const MenuArray<OptItem>& mnuOptItem() const { return menus_.opt; }
    const MenuArray<HelpItem>& mnuHelpItem() const { return menus_.help; }

    Speech& speech() { return speech_; }

    // The text the status bar shows.
    QString statusText() const;
    void setStatusText(const QString& text);

    // The main window's tag text: "op" before the formula dialog opens in its editing mode,
    // empty before it opens in its picking mode.
    QString tag;

    // --- Options, read from the menu check marks --------------------------------------------
    bool moveMode() const { return menus_.view.isChecked(ViewItem::MoveMode); }
    bool recalcOnEnter() const { return menus_.opt.isChecked(OptItem::RecalcOnEnter); }
    bool recalcOnEveryInput() const { return menus_.opt.isChecked(OptItem::RecalcOnEveryInput); }
    Grouping grouping() const;

    // --- Actions --------------------------------------------------------------------------
    // Replaces the sheet's selection (or inserts at the caret) with text as an undoable edit.
    void insertText(const QString& text);
    // A whole calculation pass (the "=" key).
    void calculate();
    // A calculation pass once the events waiting now (the repaint of what was typed among
    // them) have been handled; requests made before then share that one pass.
    void requestCalculation();

    // A menu item chosen, as a click on it does (a disabled item does nothing).
    void mnuEditItem_Click(EditItem item) { menus_.edit.at(item)->trigger(); }
    void mnuFuncItem_Click(FuncItem item) { menus_.func.at(item)->trigger(); }
    void mnuViewItem_Click(ViewItem item) { menus_.view.at(item)->trigger(); }
    void mnuOptItem_Click(OptItem item) { menus_.opt.at(item)->trigger(); }
    void mnuHelpItem_Click(HelpItem item) { menus_.help.at(item)->trigger(); }

    // The layout pass.
    void Form_Resize();
    // Keeps the caret-line underline below the caret's line.
    void TextBoxCaretPosChange();

    // Width right of the divider, kept while the window is resized.
    int rightPaneWidth() const { return rightPaneWidth_; }
    void setRightPaneWidth(int pixels);
    // True while a calculation pass runs.
    bool calcBusy() const { return calcBusy_; }

    // The look of the three boxes and the underline as the settings dialog shows it, and
    // applying one (the total box's height follows the font).
    SheetLook currentLook() const;
    void applyLook(const SheetLook& look);

    // Opacity read at start-up, written back unchanged at shut-down.
    int windowAlpha() const { return windowAlpha_; }

    // --- Life of the window -----------------------------------------------------------------
    // The close sequence and the unload step; runs once, whatever asked the window to close
    // (closeEvent calls it). It never refuses.
    void Form_Unload();
    // The close sequence's writes alone (check marks, opacity, divider, placement, button
    // places and size) as one replace of the settings file, then the kept sheet (written, or
    // removed while "計算部を保持(&S)" is unchecked). The desktop session ending calls it
    // before it asks the program to quit.
    void saveSettings();
    // Whether the menu help and the scroll links are on: the load sequence installs them
    // last, so a bad stored button list leaves them off for the run.
    bool hooksInstalled() const { return hooksInstalled_; }
    // Another start of the program asked this one to come forward. Only a window showing its
    // plain caption answers (not in move mode); a minimised or hidden one is restored first.
    void answerSecondStart();

    // The formula dialog: picking mode (Ctrl+Space, the Function menu; modeless) and editing
    // mode (the Options menu; modal). The settings dialog (modal).
    void showFormulaPicker();
    void showFormulaEditor();
    void showSettingsDialog();

    // --- The sheet as a document (SheetFiles) ------------------------------------------------
    // This instance owns the kept sheet (only the first of several running ones does): it puts
    // it back now, caret at its end, with one silent calculation pass, and from now on writes
    // it shortly after edits and at close while "計算部を保持(&S)" is checked.
    void takeKeptSheet();
    bool keepsSheet() const { return menus_.opt.isChecked(OptItem::KeepSheet); }
    // Replaces the sheet by a sheet file's text as one undoable edit and runs a pass; a file
    // that cannot be read leaves the sheet as it is and the status bar says why.
    bool openSheetFile(const QString& path);
    // Writes the sheet to a file; false (and a status text) when that failed.
    bool saveSheetFile(const QString& path);
    // "開く(&O)..." (Ctrl+O) and "名前を付けて保存(&A)..." through the file dialogs; Ctrl+S
    // saves to the file last opened or saved and asks for a name the first time. The first
    // two ask first whether to save unsaved edits of the file now open.
    void openWithDialog();
    bool saveAsWithDialog();
    bool saveToCurrentFile();
    const SheetDocument& document() const;
    // The name of the sheet file open in the window ("" when none is).
    QString openFileName() const;
    // The caption: the title and the file's name ("*" while unsaved); move mode keeps its own.
    void updateCaption();
    // A close nobody can answer a question for (quit signals): unsaved edits of an opened file
    // stay in the kept sheet.
    void closeWithoutAsking();
    // Reading the tape back: starts it, or stops it while it runs.
    void toggleReadBack();
    bool readingBack() const;
    // Printing through the print dialog.
    void printSheet();
    // The voice (frmMain_voice.cpp): takes a speed, volume, pitch and output into use at once
    // and returns why the chosen output cannot be used ("" when it can); one step faster
    // (+1) or slower (-1), stored and said in the new speed.
    QString useVoice(const VoiceChoice& choice);
    void changeVoiceSpeed(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void buildKeypad();
    void connectKeys();
    void connectMenus();
    void connectEditMenu();
    void connectFunctionMenu();
    void connectViewMenu();
    void connectOptionsMenu();
    void connectHelpMenu();
    void connectScrollSync();

    // Load sequence, hooks (menu help and scroll links), unload step.
    void Form_Load();
    void loadLooks(const Settings& settings);
    WindowState loadPlacement(const Settings& settings);
    void loadUnderline(const Settings& settings);
    void loadViewSwitches(const Settings& settings, WindowState state);
    void loadOptionMarks(const Settings& settings);
    void loadVoice(const Settings& settings);
    void reportVoiceOutput();
    bool applyStoredPositions();
    void installHooks();
    void removeHooks();
    void closeOpenDialogs();

    // Layout
    void placeKeypadPanel();
    void keepUsableSize(int totalBoxHeight, bool keypadShown);
    void dragDivider(int mouseX);
    void setDividerDragging(bool on);
    void showStatusBar(bool on);
    void hideKeypad(bool hidden);

    // Calculation and its triggers
    void runCalculationPass();
    bool onWindowKey(QKeyEvent* event);
    void alignResultsWithSheet();

    // Keypad: each key's action, run unless move mode is on.
    void onNumKey(NumKey key);
    void onOpKey(OpKey key, std::function<void()> edit);
    // A key that completes a number or an expression: a pass follows on every input.
    void onOpKey(OpKey key, bool completesInput, std::function<void()> edit);
    void onMenuKey(MenuKey key, std::function<void()> edit);
    void clearLineKey();
    void clearKey();
    void newLineKey();
    void speakKey(NumKey key);
    void speakKey(OpKey key);
    void speakKey(MenuKey key);
    void sendKey(int key);
    void copyResult();
    void clearAll();
    // A pass after an edit while recalculation on every input is on.
    void recalculateAfterInput();

    // Move mode and sizes
    void showMoveMode(bool on);
    void confirmAndResetPositions();

    // Scroll sync
    void syncScroll(bool fromSheet);

    // The sheet as a document
    void connectDocument();
    // Sheet box
    std::array<QObject*, 4> watchedBoxes() const;
    void connectSheetBox();
    void onSheetKeyReleased(bool mayType, bool plainEnter);
    // Reading back
    void connectReadBack();
    void showReadBackLine(int line);
    void stopReadBack();

    QWidget* client_ = nullptr;
    SheetBox* sheet_ = nullptr;
    QLineEdit* totalBox_ = nullptr;
    ResultsColumn* results_ = nullptr;
    KeypadPanel* keypad_ = nullptr;
    Divider* divider_ = nullptr;
    QWidget* underline_ = nullptr;
    KeypadButton* copyButton_ = nullptr;
    ButtonMover* mover_ = nullptr;
    std::unique_ptr<ResultsWriter> resultsWriter_;
    std::unique_ptr<PassAnnouncer> announcer_;
    SheetTracker* sheetTracker_ = nullptr;
    DeferredCall* deferredPass_ = nullptr;
    ReadBackPlayer* readBack_ = nullptr;
    MainMenus menus_;
    Speech speech_;
    QPointer<frmFormula> picker_;
    QPointer<MenuHelp> menuHelp_;
    SheetLook look_;

    int rightPaneWidth_ = 150;
    int windowAlpha_ = 255;
    bool calcBusy_ = false;
    // A file command ran from a key (Ctrl+S, Ctrl+O, Enter in its dialog): that key's release
    // may still reach the sheet, and starts no pass until a key is pressed in the sheet again.
    bool commandKeyUp_ = false;
    bool dividerDragging_ = false;
    bool syncingScroll_ = false;
    // UnderLine holding a non-zero value other than -1 keeps the underline shown even when
    // the caret's line lies below the view.
    bool underlineAlwaysShown_ = false;
    bool hooksInstalled_ = false;
    bool unloaded_ = false;
    SheetFiles* files_ = nullptr;
};

} // namespace quill
