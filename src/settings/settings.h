#pragma once
// Every key of section Calc of the settings file, with its kind and default. No other module
// names a key. Nothing is cached: each accessor reads the file when called, each setter
// writes it at once. Setters return false when the write was refused (read-only file or
// folder); callers ignore that and go on with their state in memory.
#include "settings/button_positions.h"
#include "settings/profile.h"
#include "sheet/calculation.h"
#include "speech/voice.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quill {

// A colour as stored: 0x00BBGGRR, or a system colour reference 0x80000000 + index.
using Colour = std::uint32_t;
constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr Colour kSystemWindowBackground = 0x80000005u; // stored as -2147483643
constexpr Colour kSystemWindowText = 0x80000008u;       // stored as -2147483640
constexpr bool isSystemColour(Colour c) {
    return (c & kSystemColourFlag) != 0;
}

// Recalculation option (Options menu items 7 and 8).
enum class Recalc { Neither = 0, OnEnter = 1, OnEveryInput = -1 };

// Keypad button size. The file stores it as the number of its View menu item (4 or 5).
enum class ButtonSize { Small, Medium };

enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

// The main window's placement, in twips of the screen.
struct WindowRect {
    float left = 0;
    float top = 0;
    float width = 6475;
    float height = 5430;
};

struct WindowPlacement {
    WindowState state = WindowState::Normal;
    // Only read for (and only written from) the normal state; a minimised or maximised window
    // keeps the position of the last normal-state exit.
    std::optional<WindowRect> rect;
};

class Settings {
public:
    // When `file` is the user's own settings file and does not exist yet, it reads (and is
    // first written) from the program folder's presets (see presetIniPath).
    explicit Settings(std::filesystem::path file);

    const std::filesystem::path& file() const { return profile_.file(); }

    // Several setters as one replace of the file; see SettingsBatch.
    void beginBatch() { profile_.beginBatch(); }
    bool commitBatch() { return profile_.commitBatch(); }

    // PI: several instances may run at once (check-box flag, default off).
    bool severalInstances() const;
    bool setSeveralInstances(bool on);

    // ForeColor / BackColor: colours of the three text boxes; the defaults are the boxes' own
    // colours.
    Colour foreColor(Colour fallback = kSystemWindowText) const;
    bool setForeColor(Colour colour);
    Colour backColor(Colour fallback = kSystemWindowBackground) const;
    bool setBackColor(Colour colour);

    // FontSize: read as a whole number of points (default 9; "10.5" reads 10). A stored size
    // of 0 or less reads as 9, one above kMaxFontSize as kMaxFontSize.
    static constexpr int kDefaultFontSize = 9;
    static constexpr int kMaxFontSize = 400;
    int fontSize() const;
    // Written as the font-size field's text, unchanged ("10.5"). A text without a positive
    // leading number is not written (returns false).
    bool setFontSizeText(std::u16string_view text);

    // Split: left edge of the divider, pixels; the default is the layout position.
    int split(int fallback) const;
    bool setSplit(float pixels);

    // UnderLine (default on) and LineColor (default the underline's initial colour).
    bool underline() const;
    // UnderLine as stored (default -1): 0 off; -1 shown while the caret's line is in view;
    // any other value shown always.
    int underlineSetting() const;
    bool setUnderline(bool on);
    Colour lineColor(Colour fallback = kSystemWindowText) const;
    bool setLineColor(Colour colour);

    // View menu items 0, 1, 2, 10: Status (default on), Center, Top, BtnView (default off).
    bool statusBar() const;
    bool setStatusBar(bool on);
    bool centre() const;
    bool setCentre(bool on);
    bool alwaysOnTop() const;
    bool setAlwaysOnTop(bool on);
    bool keypadHidden() const;
    bool setKeypadHidden(bool on);

    // keta: 0 none, 1 units (万、億、兆), 4 groups of four, any other value groups of three.
    Grouping grouping() const;
    bool setGrouping(Grouping grouping);

    // ReCalc: 1 on Enter (default), -1 on every input, anything else neither.
    Recalc recalc() const;
    bool setRecalc(Recalc recalc);

    // Talk: speech on (default off).
    bool talk() const;
    bool setTalk(bool on);

    // BtnSize: 5 medium; 4 (default) and anything else small.
    ButtonSize buttonSize() const;
    bool setButtonSize(ButtonSize size);

    // Transparency: window opacity, default 255, not range-checked; only the low eight bits
    // reach the window.
    int transparency() const;
    bool setTransparency(int alpha);

    // NumPos, MenuPos, OpPos: the stored button position lists (empty when absent).
    std::u16string numPos() const;
    bool setNumPos(const std::vector<ButtonPosition>& positions);
    std::u16string menuPos() const;
    bool setMenuPos(const std::vector<ButtonPosition>& positions);
    std::u16string opPos() const;
    bool setOpPos(const std::vector<ButtonPosition>& positions);

    // Formula: the stored user-defined formula list (see formulas/formula_list.h), cut at
    // 2047 bytes. Removing the key stores the empty list.
    ProfileText formulaText() const;
    bool setFormulaText(std::u16string_view stored);
    bool removeFormula();

    // VoiceSpeed (percent, 50 to 300, default 100), VoiceVolume (percent, 0 to 100, default
    // 100) and VoicePitch (0 to 100, default 50): a stored value out of its range reads as the
    // nearest end of it.
    Voice voice() const;
    bool setVoiceSpeed(int percent);
    bool setVoiceVolume(int percent);
    bool setVoicePitch(int pitch);
    // VoiceOutput: 1 the desktop's speech service; 0 (default) and anything else the
    // program's own voice.
    VoiceOutput voiceOutput() const;
    bool setVoiceOutput(VoiceOutput output);

    // KeepSheet: the sheet is kept in sheet.txt across restarts (flag, default on).
    bool keepSheet() const;
    bool setKeepSheet(bool on);

private:
    friend WindowPlacement LoadWindowPos(const Settings&);
    friend bool SaveWindowPos(Settings&, const WindowPlacement&);

    bool readFlag(std::string_view key, bool fallback) const;
    bool writeFlag(std::string_view key, bool on);
    bool writeInt(std::string_view key, std::int64_t value);

    Profile profile_;
};

// The close sequence's writes as one replace of the file: every setter between construction
// and commit() is gathered (and reads see it); the destructor commits what was not committed.
class SettingsBatch {
public:
    explicit SettingsBatch(Settings& settings) : settings_(settings) { settings_.beginBatch(); }
    ~SettingsBatch() {
        if (!committed_) settings_.commitBatch();
    }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    // False when the file could not be written; nothing of the batch is then stored.
    bool commit() {
        committed_ = true;
        return settings_.commitBatch();
    }

private:
    Settings& settings_;
    bool committed_ = false;
};

// Reads WinState and, only in the normal state, X, Y, W and H (defaults 0, 0, 6475, 5430). A
// WinState other than 0, 1 and 2 reads as normal. No check is made that the rectangle lies on
// a screen.
WindowPlacement LoadWindowPos(const Settings& settings);

// Writes WinState and, only in the normal state with a rect, X, Y, H and W (in that order).
// False when a write was refused.
bool SaveWindowPos(Settings& settings, const WindowPlacement& placement);

} // namespace quill
