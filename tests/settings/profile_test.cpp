#include "settings/profile.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace quill {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

struct ReadRow {
    const char* name;
    std::string file;
    const char* key;
    std::optional<std::u16string> raw; // nullopt: absent
    std::int32_t integer;              // with fallback 77
};

TEST(Profile, ReadsKeysByProfileRules) {
    const ReadRow rows[] = {
        {"section and key in other case", "[calc]\nTOP=-1\n", "Top", u"-1", -1},
        {"blanks around name and value", "[ Calc ]\n  FontSize =  10.5  \n", "FontSize", u"10.5",
         10},
        {"word reads 0", "[Calc]\nBackColor=red\n", "BackColor", u"red", 0},
        {"empty value reads 0", "[Calc]\nketa=\n", "keta", u"", 0},
        {"leading number", "[Calc]\nX=-12px\n", "X", u"-12px", -12},
        {"plus sign", "[Calc]\nX=+7\n", "X", u"+7", 7},
        {"wraps to 32 bits", "[Calc]\nBackColor=4294967295\n", "BackColor", u"4294967295", -1},
        {"absent key", "[Calc]\nTop=1\n", "Center", std::nullopt, 77},
        {"key of another section", "[Other]\nTop=1\n[Calc]\n", "Top", std::nullopt, 77},
        {"missing section", "Top=1\n", "Top", std::nullopt, 77},
        {"first of two keys", "[Calc]\nTop=1\nTop=2\n", "Top", u"1", 1},
        {"first of two sections", "[Calc]\nTop=1\n[CALC]\nTop=2\n", "Top", u"1", 1},
        {"comment is not a key", "[Calc]\n;Top=1\n", "Top", std::nullopt, 77},
        {"CR LF lines", "[Calc]\r\nTop=5\r\nX=1\r\n", "Top", u"5", 5},
        {"no final line end", "[Calc]\nTop=5", "Top", u"5", 5},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[Calc]\nTop=3\n", "Top", u"3", 3},
        {"UTF-8 text", "[Calc]\nFormula=税込||[sel]*1.1\n", "Formula", u"税込||[sel]*1.1", 0},
        {"code page 932 text", "[Calc]\nFormula=\x90\xC5\x8D\x9E||1\n", "Formula", u"税込||1", 0},
        {"code page 932 half-width katakana that are valid UTF-8",
         "[Calc]\r\nFormula=\xC3\xBD|[sel]*2\r\n", "Formula", u"ﾃｽ|[sel]*2", 0},
        {"equals sign in value", "[Calc]\nFormula=a||x=1\n", "Formula", u"a||x=1", 0},
    };
    TempFolder folder;
    const auto file = folder / "setting.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeBytes(file, row.file);
        Profile profile(file);
        EXPECT_EQ(profile.readRaw(row.key), row.raw);
        EXPECT_EQ(profile.readInt(row.key, 77), row.integer);
    }
}

TEST(Profile, MissingFileGivesDefaults) {
    TempFolder folder;
    Profile profile(folder / "none.ini");
    EXPECT_EQ(profile.readInt("Top", 5), 5);
    EXPECT_EQ(profile.readText("NumPos", u"x").text, u"x");
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
}

struct WriteRow {
    const char* name;
    std::string before; // "" for no file
    const char* key;
    std::u16string value;
    std::string after;
};

TEST(Profile, WritesKeepEverythingElse) {
    const WriteRow rows[] = {
        {"new file", "", "Top", u"-1", "[Calc]\nTop=-1\n"},
        {"replaces in place, keeps spelling and the rest",
         "[Other]\nx=1\n; note\n[calc]\ntop=0\nzz=9\n", "Top", u"-1",
         "[Other]\nx=1\n; note\n[calc]\ntop=-1\nzz=9\n"},
        {"adds after the section's last line", "[Calc]\nA=1\n\n[Next]\nB=2\n", "Top", u"0",
         "[Calc]\nA=1\nTop=0\n\n[Next]\nB=2\n"},
        {"adds the section", "[Other]\nx=1", "Top", u"0", "[Other]\nx=1\n[Calc]\nTop=0\n"},
        {"keeps CR LF", "[Calc]\r\nA=1\r\n", "Top", u"0", "[Calc]\r\nA=1\r\nTop=0\r\n"},
        {"keeps odd lines byte for byte", "junk\xFF\n[Calc]\n  weird line\nTop = 1 \n", "Top", u"2",
         "junk\xFF\n[Calc]\n  weird line\nTop=2\n"},
        {"code page 932 stays code page 932", "[Calc]\nName=\x88\x9F\n", "Formula", u"税込||1",
         "[Calc]\nName=\x88\x9F\nFormula=\x90\xC5\x8D\x9E||1\n"},
        {"text code page 932 cannot hold carries the file over to UTF-8", "[Calc]\nName=\x88\x9F\n",
         "Formula", u"한||1", "[Calc]\nName=\xE4\xBA\x9C\nFormula=\xED\x95\x9C||1\n"},
        {"UTF-8 that would read as code page 932 gets a byte order mark", "[Calc]\n", "Formula",
         u"°C||1", "\xEF\xBB\xBF[Calc]\nFormula=\xC2\xB0\x43||1\n"},
        {"code page 932 katakana stay code page 932", "[Calc]\nName=\xC3\xBD\n", "Formula", u"ｱ||1",
         "[Calc]\nName=\xC3\xBD\nFormula=\xB1||1\n"},
        {"UTF-8 file gets UTF-8", "[Calc]\nName=\xE4\xBA\x9C\n", "Formula", u"税込||1",
         "[Calc]\nName=\xE4\xBA\x9C\nFormula=\xE7\xA8\x8E\xE8\xBE\xBC||1\n"},
    };
    TempFolder folder;
    const auto file = folder / "setting.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(file);
        if (!row.before.empty()) writeBytes(file, row.before);
        Profile profile(file);
        EXPECT_TRUE(profile.write(row.key, row.value));
        EXPECT_EQ(readBytes(file), row.after);
        EXPECT_EQ(profile.readRaw(row.key), row.value);
    }
}

TEST(Profile, RefusesValuesThatWouldSplitLines) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "[Calc]\nTop=0\n");
    Profile profile(file);
    const std::u16string values[] = {u"1\nX=2", u"1\r", std::u16string(u"1\0", 2)};
    for (const auto& value : values) {
        EXPECT_FALSE(profile.write("Top", value));
        EXPECT_EQ(readBytes(file), "[Calc]\nTop=0\n");
    }
}

struct CutRow {
    const char* name;
    std::string fileValue;
    std::size_t expectedUnits; // UTF-16 length of the read text
    bool cut;
};

TEST(Profile, TextReadsStopAt2047Bytes) {
    const std::string a2045(2045, 'a');
    const CutRow rows[] = {
        {"UTF-8 exactly 2047", a2045 + "ab", 2047, false},
        {"UTF-8 2048 cut", a2045 + "abc", 2047, true},
        {"UTF-8 character across the limit dropped whole", a2045 + "a\xE3\x81\x82", 2046, true},
        {"UTF-8 character ending at the limit kept", a2045.substr(1) + "\xE3\x81\x82", 2045, false},
        {"code page 932 pair ending at the limit kept", a2045 + "\x88\x9F", 2046, false},
        {"code page 932 pair across the limit dropped whole", a2045 + "a\x88\x9F", 2046, true},
    };
    TempFolder folder;
    const auto file = folder / "setting.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeBytes(file, "[Calc]\nFormula=" + row.fileValue + "\n");
        const ProfileText read = Profile(file).readText("Formula");
        EXPECT_EQ(read.text.size(), row.expectedUnits);
        EXPECT_EQ(read.cut, row.cut);
        EXPECT_EQ(read.text.find(u'\uFFFD'), std::u16string::npos);
    }
}

TEST(Profile, RemovesKeys) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "[Calc]\nFormula=a||b\nTop=1\nformula=again\n[X]\nFormula=other\n");
    Profile profile(file);
    EXPECT_TRUE(profile.remove("Formula"));
    EXPECT_EQ(readBytes(file), "[Calc]\nTop=1\n[X]\nFormula=other\n");
    EXPECT_TRUE(profile.remove("Formula")); // already gone: nothing to do
    EXPECT_EQ(readBytes(file), "[Calc]\nTop=1\n[X]\nFormula=other\n");

    Profile none(folder / "none.ini");
    EXPECT_TRUE(none.remove("Formula"));
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
}

TEST(Profile, WritesReplaceTheFileWhole) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "[Calc]\nTop=0\n");
    ::chmod(file.c_str(), 0640);
    struct stat before {};
    ::stat(file.c_str(), &before);
    ASSERT_TRUE(Profile(file).write("Top", u"-1"));
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino) << "written in place instead of renamed over";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    // Nothing but the settings file is left in the folder.
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST(Profile, RefusedWritesChangeNothingAndSaySo) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "[Calc]\nTop=0\n");

    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(Profile(file).write("Top", u"1")) << "read-only file";
    EXPECT_FALSE(Profile(file).remove("Top"));
    EXPECT_EQ(readBytes(file), "[Calc]\nTop=0\n");

    ::chmod(file.c_str(), 0644);
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_FALSE(Profile(file).write("Top", u"1")) << "read-only folder";
    EXPECT_FALSE(Profile(folder / "new.ini").write("Top", u"1"));
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(readBytes(file), "[Calc]\nTop=0\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "new.ini"));
}

TEST(Profile, FailedWriteLeavesTheOldFile) {
    // A file size limit makes the write fail part-way, as a full disk would.
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "[Calc]\nTop=0\n");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = Profile(file).write("Formula", std::u16string(500, u'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(file), "[Calc]\nTop=0\n");
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "temporary file left behind";
}

TEST(Profile, CreatesTheFolderOfANewFile) {
    TempFolder folder;
    const auto file = folder / "quillsum" / "setting.ini";
    EXPECT_TRUE(Profile(file).write("Top", u"1"));
    EXPECT_EQ(readBytes(file), "[Calc]\nTop=1\n");
}

} // namespace
} // namespace quill
