// Hostile settings files: whatever is in setting.ini, every key reads as its default or as
// what is readable, and the close sequence writes a file that reads back what it wrote while
// keeping every line it did not write.
#include "formulas/formula_list.h"
#include "scoped_env.h"
#include "settings/file_access.h"
#include "settings/settings.h"
#include "surviving_lines.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sys/stat.h>

namespace quill {
namespace {

using test::readBytes;
using test::ScopedEnv;
using test::TempFolder;
using test::writeBytes;
namespace fs = std::filesystem;
using namespace std::string_literals;

// The keys the close sequence writes.
constexpr std::string_view kCloseKeys[] = {
    "Status", "Center", "Top", "BtnView", "keta",   "ReCalc",  "Talk",  "Split",   "WinState",
    "X",      "Y",      "W",   "H",       "NumPos", "MenuPos", "OpPos", "BtnSize", "Transparency"};

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(size, '\0');
    for (char& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) s += piece;
    return s;
}

std::string thousandSections() {
    std::string s;
    for (int i = 0; i < 1000; ++i) s += "[Section" + std::to_string(i) + "]\r\nketa=1\r\n";
    return s + "[Calc]\r\nketa=4\r\n";
}

struct HostileFile {
    const char* name;
    std::string bytes;
    // What must be read from it; every other key may read its default.
    std::function<void(const Settings&)> expect;
};

void readsDefaults(const Settings& s) {
    EXPECT_EQ(s.grouping(), Grouping::None);
    EXPECT_EQ(s.recalc(), Recalc::OnEnter);
    EXPECT_EQ(s.fontSize(), Settings::kDefaultFontSize);
}

void readsGroupsOfFour(const Settings& s) {
    EXPECT_EQ(s.grouping(), Grouping::Four);
}

std::vector<HostileFile> hostileFiles() {
    // Just under the size limit of a settings file.
    const std::string nearlyAMegabyte =
        repeated("a line without an equals sign, only words and numbers 0123456789\r\n", 15500) +
        "[Calc]\r\nketa=4\r\n";
    return {
        {"random bytes", randomBytes(64 * 1024, 8), [](const Settings&) {}},
        {"random bytes then a readable section", randomBytes(64 * 1024, 9) + "\n[Calc]\nketa=4\n",
         readsGroupsOfFour},
        {"nearly a megabyte", nearlyAMegabyte, readsGroupsOfFour},
        {"a value of nearly a megabyte",
         "[Calc]\nketa=4\nFormula=a||" + repeated("1+", 500000) + "\n",
         [](const Settings& s) {
             readsGroupsOfFour(s);
             EXPECT_TRUE(s.formulaText().cut);
             EXPECT_TRUE(readFormulas(s).empty()) << "the cut record has no sound reading";
         }},
        {"zero bytes", "[Calc]\0\nketa=4\0\nTalk=-1\0\0\n\0\0\0"s,
         [](const Settings& s) {
             readsGroupsOfFour(s);
             EXPECT_TRUE(s.talk());
         }},
        {"zero bytes inside a formula", "[Calc]\nFormula=a||1\0+2|\\n|b||3\n"s,
         [](const Settings& s) {
             const auto list = readFormulas(s);
             ASSERT_EQ(list.size(), 1u);
             EXPECT_EQ(list[0].text, u"1");
         }},
        {"invalid UTF-8", "[Calc]\nketa=4\nFormula=a||\xC3\x28|\\n|b||\xE2\x82\n\xF5\xFF\xC0\x80\n",
         readsGroupsOfFour},
        {"invalid code page 932", "[Calc]\nketa=4\nFormula=x||\x81\n\x85\x40\x82\n\xFD\xFE\x81",
         readsGroupsOfFour},
        {"lines without an equals sign",
         repeated("no equals here\n", 1000) + "[Calc]\nketa\nTalk\nketa=4\n", readsGroupsOfFour},
        {"a thousand sections", thousandSections(), readsGroupsOfFour},
        {"an unclosed section header", "[Calc\nketa=4\nReCalc=-1\n", readsDefaults},
        {"only a byte order mark", "\xEF\xBB\xBF", readsDefaults},
        {"only line ends", "\r\n\n\r\r\n", readsDefaults},
        {"numbers beyond 32 bits", "[Calc]\nketa=4294967300\nFontSize=99999999999999999999\n",
         [](const Settings& s) {
             EXPECT_EQ(s.grouping(), Grouping::Four) << "4294967300 wraps to 4";
             EXPECT_GE(s.fontSize(), 1);
             EXPECT_LE(s.fontSize(), Settings::kMaxFontSize);
         }},
        {"hostile position lists",
         "[Calc]\nNumPos=" + repeated("1e39,nan|", 3000) + "\nOpPos=|||,,,\nMenuPos=-0,-0\n",
         [](const Settings& s) {
             EXPECT_TRUE(readPositionList(s.numPos(), kNumPosCount).positions.empty());
             EXPECT_TRUE(readPositionList(s.opPos(), kOpPosCount).badPair.has_value());
             EXPECT_EQ(readPositionList(s.menuPos(), kMenuPosCount).positions.size(), 1u);
         }},
    };
}

void readEveryKey(const Settings& s) {
    (void)s.severalInstances(), (void)s.foreColor(), (void)s.backColor(), (void)s.fontSize();
    (void)s.split(100), (void)s.underline(), (void)s.lineColor(), (void)s.statusBar();
    (void)s.centre(), (void)s.alwaysOnTop(), (void)s.keypadHidden(), (void)s.grouping();
    (void)s.recalc(), (void)s.talk(), (void)s.buttonSize(), (void)s.transparency();
    (void)LoadWindowPos(s), (void)readFormulas(s);
    (void)readPositionList(s.numPos(), kNumPosCount);
    (void)readPositionList(s.menuPos(), kMenuPosCount);
    (void)readPositionList(s.opPos(), kOpPosCount);
}

// What the main window writes when it closes.
bool closeSequence(Settings& s) {
    SettingsBatch batch(s);
    bool ok = s.setStatusBar(false) && s.setCentre(true) && s.setAlwaysOnTop(false);
    ok = s.setKeypadHidden(false) && s.setGrouping(Grouping::Units) && ok;
    ok = s.setRecalc(Recalc::OnEveryInput) && s.setTalk(true) && s.setTransparency(200) && ok;
    ok = s.setSplit(321.5f) && s.setButtonSize(ButtonSize::Medium) && ok;
    ok = SaveWindowPos(s, {WindowState::Normal, WindowRect{10, 20, 7000, 6000}}) && ok;
    ok = s.setNumPos({{120, 240}, {1200, 240}}) && s.setMenuPos({}) && ok;
    ok = s.setOpPos({{1.5f, 2.5f}}) && ok;
    return batch.commit() && ok;
}

void readsWhatTheCloseSequenceWrote(const Settings& s) {
    EXPECT_FALSE(s.statusBar());
    EXPECT_TRUE(s.centre());
    EXPECT_EQ(s.grouping(), Grouping::Units);
    EXPECT_EQ(s.recalc(), Recalc::OnEveryInput);
    EXPECT_TRUE(s.talk());
    EXPECT_EQ(s.transparency(), 200);
    EXPECT_EQ(s.split(0), 321);
    EXPECT_EQ(s.buttonSize(), ButtonSize::Medium);
    const WindowPlacement p = LoadWindowPos(s);
    ASSERT_TRUE(p.rect.has_value());
    EXPECT_EQ(p.rect->width, 7000);
    EXPECT_EQ(p.rect->height, 6000);
    EXPECT_EQ(readPositionList(s.numPos(), kNumPosCount).positions.size(), 2u);
    EXPECT_EQ(s.opPos(), u"1.5,2.5");
}

TEST(HostileSettingsFile, ReadsWhatIsReadableAndClosesWithAValidFile) {
    for (const HostileFile& f : hostileFiles()) {
        SCOPED_TRACE(f.name);
        TempFolder folder;
        const auto file = folder / "setting.ini";
        writeBytes(file, f.bytes);
        Settings s(file);
        readEveryKey(s);
        f.expect(s);

        ASSERT_TRUE(closeSequence(s));
        readsWhatTheCloseSequenceWrote(s);
        const std::string after = readBytes(file);
        const auto lost = fuzz::lostLine(f.bytes, after, kCloseKeys);
        EXPECT_FALSE(lost.has_value()) << "a line the close sequence does not write was lost";
        EXPECT_LE(after.size(), 2 * f.bytes.size() + 1024) << "the file grew out of bounds";
    }
}

struct NotASettingsFile {
    const char* name;
    // Makes the thing at `file`, with `outside` a folder outside the home and program folders.
    std::function<void(const fs::path& file, const fs::path& outside)> make;
    // Describes what is at `file` (and behind it), to see that nothing changed.
    std::function<std::string(const fs::path& file)> describe;
};

std::string describeType(const fs::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) return "nothing";
    if (S_ISLNK(st.st_mode)) return "link to " + fs::read_symlink(file).string();
    return S_ISFIFO(st.st_mode) ? "fifo" : "other";
}

// A settings file that is a FIFO, a link to a device or to a file outside the user's folders,
// or too large to be one: start-up reads the defaults without blocking or running out of
// memory, and the close sequence leaves it as it was.
TEST(HostileSettingsFile, WhatIsNoSettingsFileReadsAsDefaultsAndIsNeverWritten) {
    const std::string overMegabyte =
        "[Calc]\nketa=4\n" + repeated("; a comment line to fill the file up\n", 30000);
    const NotASettingsFile rows[] = {
        {"a FIFO", [](const fs::path& f, const fs::path&) { ::mkfifo(f.c_str(), 0600); },
         describeType},
        {"a link to an endless device",
         [](const fs::path& f, const fs::path&) { fs::create_symlink("/dev/zero", f); },
         describeType},
        {"a file above a megabyte",
         [&](const fs::path& f, const fs::path&) { writeBytes(f, overMegabyte); },
         [](const fs::path& f) { return readBytes(f); }},
        {"a link to a copy of the password file",
         [](const fs::path& f, const fs::path& outside) {
             writeBytes(outside / "passwd", "root:x:0:0:root:/root:/bin/bash\n");
             fs::create_symlink(outside / "passwd", f);
         },
         [](const fs::path& f) { return describeType(f) + readBytes(f.parent_path() / "passwd"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder home, outside;
        ScopedEnv homeEnv("HOME", home.path().c_str());
        const fs::path file = home / "setting.ini";
        row.make(file, outside.path());
        const std::string before = row.describe(file);
        Settings s(file);
        readEveryKey(s);
        readsDefaults(s);
        EXPECT_FALSE(closeSequence(s));
        EXPECT_EQ(row.describe(file), before);
    }
}

// A dot-file manager's link into the home folder is written through, with the temporary file
// beside the file it leads to: the link's own folder need not be writable.
TEST(HostileSettingsFile, LinkIntoTheHomeFolderIsWrittenThrough) {
    TempFolder home, program;
    ScopedEnv homeEnv("HOME", home.path().c_str());
    fs::create_directory(home / "dotfiles");
    writeBytes(home / "dotfiles" / "setting.ini", "[Calc]\nketa=4\n");
    fs::create_symlink(home / "dotfiles" / "setting.ini", program / "setting.ini");
    ::chmod(program.path().c_str(), 0555);

    Settings s(program / "setting.ini");
    readsGroupsOfFour(s);
    ASSERT_TRUE(closeSequence(s));
    EXPECT_TRUE(fs::is_symlink(program / "setting.ini"));
    readsWhatTheCloseSequenceWrote(Settings(home / "dotfiles" / "setting.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "dotfiles"), fs::directory_iterator()),
              1);
}

// A code page 932 file whose only bytes that are not UTF-8 sit in a key the close sequence
// rewrites: afterwards its other lines must still read as they did (not as UTF-8).
TEST(HostileSettingsFile, KeepsItsTextWhenTheLastNonUtf8BytesAreRewritten) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    // "\xE7\xA8\x8E" is valid UTF-8 (税) but reads as two other characters in code page 932;
    // "\x82\xA0" (あ in code page 932) is no UTF-8.
    const std::string before = "[Calc]\nFormula=\xE7\xA8\x8E||1\nketa=\x82\xA0\n";
    writeBytes(file, before);
    Settings s(file);
    const std::u16string formula = s.formulaText().text;
    ASSERT_NE(formula, u"税||1") << "the file is read as code page 932";
    ASSERT_TRUE(s.setGrouping(Grouping::Four));
    EXPECT_EQ(s.formulaText().text, formula);
}

// A zero byte inside a formula list used to make every later Apply of the list fail: the
// text read back held a character no write accepts.
TEST(HostileSettingsFile, FormulaListWithAZeroByteCanBeStoredAgain) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "[Calc]\nFormula=a||[sel\0=1.1|\\n|b||2\n"s);
    Settings s(file);
    auto list = readFormulas(s);
    list.push_back({u"c", u"3"});
    ASSERT_TRUE(writeFormulas(s, list));
    EXPECT_EQ(readFormulas(s), list);
}

} // namespace
} // namespace quill
