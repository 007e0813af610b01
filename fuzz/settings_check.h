#pragma once
// The promises of the settings file, checked on one file: it is kept byte for byte, every key
// reads, and the close sequence (then a formula Apply) writes a file that reads back what was
// written while keeping every line it did not write. Shared by fuzz_settings and the
// regression tests that replay its findings.
#include "formulas/formula_list.h"
#include "settings/profile_document.h"
#include "settings/settings.h"
#include "surviving_lines.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quill::fuzz {

// The keys the close sequence and a formula Apply write.
constexpr std::string_view kSettingsWrittenKeys[] = {
    "Status",       "Center",  "Top",      "BtnView", "keta",   "ReCalc", "Talk",
    "Transparency", "Split",   "WinState", "X",       "Y",      "W",      "H",
    "NumPos",       "MenuPos", "OpPos",    "BtnSize", "Formula"};

inline void readEverySetting(const Settings& s) {
    (void)s.severalInstances(), (void)s.foreColor(), (void)s.backColor(), (void)s.fontSize();
    (void)s.split(100), (void)s.underline(), (void)s.lineColor(), (void)s.statusBar();
    (void)s.centre(), (void)s.alwaysOnTop(), (void)s.keypadHidden(), (void)s.grouping();
    (void)s.recalc(), (void)s.talk(), (void)s.buttonSize(), (void)s.transparency();
    (void)LoadWindowPos(s);
}

// Writes `bytes` to `file` and checks every promise; nullptr when all hold, else the one
// that broke.
inline const char* settingsFileFault(const std::filesystem::path& file, const std::string& bytes) {
    if (ProfileDocument(bytes).bytes() != bytes) return "the lines were not kept byte for byte";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    Settings s(file);
    readEverySetting(s);
    const auto num = readPositionList(s.numPos(), kNumPosCount);
    const auto menu = readPositionList(s.menuPos(), kMenuPosCount);
    const auto op = readPositionList(s.opPos(), kOpPosCount);
    const auto formulas = readFormulas(s);

    const bool talk = !s.talk();
    const Grouping grouping = s.grouping() == Grouping::Four ? Grouping::Units : Grouping::Four;
    {
        SettingsBatch batch(s);
        bool ok = s.setStatusBar(s.statusBar()) && s.setTalk(talk) && s.setGrouping(grouping);
        ok = ok && s.setRecalc(Recalc::OnEveryInput) && s.setTransparency(200);
        ok = ok && s.setSplit(123.5f) && s.setButtonSize(ButtonSize::Medium);
        ok = ok && SaveWindowPos(s, {WindowState::Normal, WindowRect{1, 2, 3000, 4000}});
        ok = ok && s.setNumPos(num.positions) && s.setMenuPos(menu.positions) &&
             s.setOpPos(op.positions);
        if (!ok || !batch.commit()) return "the close sequence was refused";
    }
    if (!writeFormulas(s, formulas)) return "the formula list read could not be stored";

    if (s.talk() != talk || s.grouping() != grouping || s.recalc() != Recalc::OnEveryInput ||
        s.transparency() != 200 || s.buttonSize() != ButtonSize::Medium || s.split(0) != 123)
        return "a written value did not read back";
    const WindowPlacement placement = LoadWindowPos(s);
    if (!placement.rect || placement.rect->width != 3000) return "the placement did not read back";
    if (readPositionList(s.numPos(), kNumPosCount).positions.size() != num.positions.size())
        return "the positions did not read back";
    std::ifstream in(file, std::ios::binary);
    const std::string after(std::istreambuf_iterator<char>(in), {});
    if (lostLine(bytes, after, kSettingsWrittenKeys)) return "a line it did not write was lost";
    return nullptr;
}

} // namespace quill::fuzz
