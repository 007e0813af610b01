#include "settings/settings.h"

#include "engine/jtext.h"
#include "settings/program_folder.h"

#include <algorithm>
#include <string>

namespace quill {
namespace {

// Colours are stored as the signed decimal of their 32-bit value.
std::int64_t signedColour(Colour colour) {
    return static_cast<std::int32_t>(colour);
}

} // namespace

// The user's own file starts from the program folder's presets until it is first written.
Settings::Settings(std::filesystem::path file) : profile_(file, "Calc", presetIniPath(file)) {}

bool Settings::readFlag(std::string_view key, bool fallback) const {
    return profile_.readInt(key, fallback ? -1 : 0) != 0;
}

bool Settings::writeFlag(std::string_view key, bool on) {
    return profile_.write(key, on ? u"-1" : u"0");
}

bool Settings::writeInt(std::string_view key, std::int64_t value) {
    return profile_.write(key, fromAscii(std::to_string(value)));
}

bool Settings::severalInstances() const {
    return profile_.readInt("PI", 0) != 0;
}
bool Settings::setSeveralInstances(bool on) {
    return profile_.write("PI", on ? u"1" : u"0");
}

Colour Settings::foreColor(Colour fallback) const {
    return static_cast<Colour>(profile_.readInt("ForeColor", static_cast<std::int32_t>(fallback)));
}
bool Settings::setForeColor(Colour colour) {
    return writeInt("ForeColor", signedColour(colour));
}

Colour Settings::backColor(Colour fallback) const {
    return static_cast<Colour>(profile_.readInt("BackColor", static_cast<std::int32_t>(fallback)));
}
bool Settings::setBackColor(Colour colour) {
    return writeInt("BackColor", signedColour(colour));
}

int Settings::fontSize() const {
    const int size = profile_.readInt("FontSize", kDefaultFontSize);
    if (size <= 0) return kDefaultFontSize;
    return std::min(size, kMaxFontSize);
}

bool Settings::setFontSizeText(std::u16string_view text) {
    if (leadingInteger(text) <= 0) return false;
    return profile_.write("FontSize", text);
}

int Settings::split(int fallback) const {
    return profile_.readInt("Split", fallback);
}
bool Settings::setSplit(float pixels) {
    return profile_.write("Split", formatSingle(pixels));
}

bool Settings::underline() const {
    return readFlag("UnderLine", true);
}
int Settings::underlineSetting() const {
    return profile_.readInt("UnderLine", -1);
}
bool Settings::setUnderline(bool on) {
    return writeFlag("UnderLine", on);
}

Colour Settings::lineColor(Colour fallback) const {
    return static_cast<Colour>(profile_.readInt("LineColor", static_cast<std::int32_t>(fallback)));
}
bool Settings::setLineColor(Colour colour) {
    return writeInt("LineColor", signedColour(colour));
}

bool Settings::statusBar() const {
    return readFlag("Status", true);
}
bool Settings::setStatusBar(bool on) {
    return writeFlag("Status", on);
}
bool Settings::centre() const {
    return readFlag("Center", false);
}
bool Settings::setCentre(bool on) {
    return writeFlag("Center", on);
}
bool Settings::alwaysOnTop() const {
    return readFlag("Top", false);
}
bool Settings::setAlwaysOnTop(bool on) {
    return writeFlag("Top", on);
}
bool Settings::keypadHidden() const {
    return readFlag("BtnView", false);
}
bool Settings::setKeypadHidden(bool on) {
    return writeFlag("BtnView", on);
}

Grouping Settings::grouping() const {
    return groupingFromStored(profile_.readInt("keta", 0));
}
bool Settings::setGrouping(Grouping grouping) {
    return writeInt("keta", static_cast<int>(grouping));
}

Recalc Settings::recalc() const {
    switch (profile_.readInt("ReCalc", 1)) {
    case 1: return Recalc::OnEnter;
    case -1: return Recalc::OnEveryInput;
    default: return Recalc::Neither;
    }
}
bool Settings::setRecalc(Recalc recalc) {
    return writeInt("ReCalc", static_cast<int>(recalc));
}

bool Settings::keepSheet() const {
    return readFlag("KeepSheet", true);
}
bool Settings::setKeepSheet(bool on) {
    return writeFlag("KeepSheet", on);
}

bool Settings::talk() const {
    return readFlag("Talk", false);
}
bool Settings::setTalk(bool on) {
    return writeFlag("Talk", on);
}

Voice Settings::voice() const {
    const Voice defaults;
    return Voice{profile_.readInt("VoiceSpeed", defaults.speed),
                 profile_.readInt("VoiceVolume", defaults.volume),
                 profile_.readInt("VoicePitch", defaults.pitch)}
        .clamped();
}
bool Settings::setVoiceSpeed(int percent) {
    return writeInt("VoiceSpeed", percent);
}
bool Settings::setVoiceVolume(int percent) {
    return writeInt("VoiceVolume", percent);
}
bool Settings::setVoicePitch(int pitch) {
    return writeInt("VoicePitch", pitch);
}

VoiceOutput Settings::voiceOutput() const {
    return profile_.readInt("VoiceOutput", 0) == 1 ? VoiceOutput::Service : VoiceOutput::Own;
}
bool Settings::setVoiceOutput(VoiceOutput output) {
    return writeInt("VoiceOutput", static_cast<int>(output));
}

namespace {
constexpr int kSmallInFile = 4;
constexpr int kMediumInFile = 5;
} // namespace

ButtonSize Settings::buttonSize() const {
    return profile_.readInt("BtnSize", kSmallInFile) == kMediumInFile ? ButtonSize::Medium
                                                                      : ButtonSize::Small;
}
bool Settings::setButtonSize(ButtonSize size) {
    return writeInt("BtnSize", size == ButtonSize::Medium ? kMediumInFile : kSmallInFile);
}

int Settings::transparency() const {
    return profile_.readInt("Transparency", 255);
}
bool Settings::setTransparency(int alpha) {
    return writeInt("Transparency", alpha);
}

std::u16string Settings::numPos() const {
    return profile_.readText("NumPos").text;
}
bool Settings::setNumPos(const std::vector<ButtonPosition>& positions) {
    return profile_.write("NumPos", formatPositionList(positions));
}
std::u16string Settings::menuPos() const {
    return profile_.readText("MenuPos").text;
}
bool Settings::setMenuPos(const std::vector<ButtonPosition>& positions) {
    return profile_.write("MenuPos", formatPositionList(positions));
}
std::u16string Settings::opPos() const {
    return profile_.readText("OpPos").text;
}
bool Settings::setOpPos(const std::vector<ButtonPosition>& positions) {
    return profile_.write("OpPos", formatPositionList(positions));
}

ProfileText Settings::formulaText() const {
    return profile_.readText("Formula");
}
bool Settings::setFormulaText(std::u16string_view stored) {
    return profile_.write("Formula", stored);
}
bool Settings::removeFormula() {
    return profile_.remove("Formula");
}

WindowPlacement LoadWindowPos(const Settings& settings) {
    const Profile& p = settings.profile_;
    WindowPlacement placement;
    const int state = p.readInt("WinState", 0);
    if (state == 1 || state == 2) {
        placement.state = static_cast<WindowState>(state);
        return placement;
    }
    placement.rect = WindowRect{
        static_cast<float>(p.readInt("X", 0)), static_cast<float>(p.readInt("Y", 0)),
        static_cast<float>(p.readInt("W", 6475)), static_cast<float>(p.readInt("H", 5430))};
    return placement;
}

bool SaveWindowPos(Settings& settings, const WindowPlacement& placement) {
    Profile& p = settings.profile_;
    bool ok = settings.writeInt("WinState", static_cast<int>(placement.state));
    if (placement.state != WindowState::Normal || !placement.rect) return ok;
    const WindowRect& r = *placement.rect;
    ok = p.write("X", formatSingle(r.left)) && ok;
    ok = p.write("Y", formatSingle(r.top)) && ok;
    ok = p.write("H", formatSingle(r.height)) && ok;
    ok = p.write("W", formatSingle(r.width)) && ok;
    return ok;
}

} // namespace quill
