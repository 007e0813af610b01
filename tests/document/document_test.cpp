// Sheet files, the kept sheet's writer and the document's caption, without a window.
#include "document/kept_sheet.h"
#include "document/sheet_document.h"
#include "document/sheet_file.h"
#include "engine/jtext.h"
#include "settings/program_folder.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

std::string u8(std::u16string_view text) {
    return toUtf8(text);
}

// Read-only for everyone, the superuser included (the atomic writer honours the mode bits).
class ReadOnly {
public:
    explicit ReadOnly(fs::path path) : path_(std::move(path)) { ::chmod(path_.c_str(), 0555); }
    ~ReadOnly() { ::chmod(path_.c_str(), 0755); }

private:
    fs::path path_;
};

struct DecodeRow {
    const char* name;
    std::string bytes;
    std::optional<std::u16string> text; // nullopt: not text
};

TEST(SheetFile, bytes_read_as_utf8_or_code_page_932_with_any_line_end) {
    const DecodeRow rows[] = {
        {"UTF-8, LF", "1,200\n+ 300\n", u"1,200\n+ 300"},
        {"CR LF", "1\r\n2\r\n", u"1\n2"},
        {"lone CR", "1\r2", u"1\n2"},
        {"no final break", "1\n2", u"1\n2"},
        {"line separator and a control character, as a paste gives them",
         "1\xE2\x80\xA8"
         "2\x07\n",
         u"1\n2"},
        {"a trailing empty line survives", "1\n\n", u"1\n"},
        {"byte-order mark dropped", "\xEF\xBB\xBF\xE5\xAE\xB6\n", u"家"},
        {"code page 932", "\x89\xC6\x8C\x76\x95\xEB\r\n+ 300\r\n", u"家計簿\n+ 300"},
        {"empty", "", u""},
        {"zero byte",
         std::string("1\0"
                     "2",
                     3),
         std::nullopt},
        {"neither encoding", "\x81\x20\xFF\xFF", std::nullopt},
    };
    for (const DecodeRow& r : rows) {
        SCOPED_TRACE(r.name);
        const auto text = decodeSheetBytes(r.bytes);
        ASSERT_EQ(text.has_value(), r.text.has_value());
        if (text) {
            EXPECT_EQ(u8(*text), u8(*r.text));
        }
    }
}

struct WriteRow {
    std::u16string text;
    bool marked; // carries a byte-order mark so that it does not read back as code page 932
};

TEST(SheetFile, written_as_utf8_lf_and_read_back_unchanged) {
    TempFolder folder;
    const WriteRow rows[] = {
        {u"", false},
        {u"1", false},
        {u"1\n", false},
        {u"\n", false},
        {u"家計簿\n+ 1,200\n* 1.08", false},
        {u"  a  \n\n\n", false},
        {u"ＡＢＣ　１２３\n～−", false},
        {u"\"¥\" & 1,000", true},
        {u"LEN(\"ﾃｽﾄ\")", false},
    };
    for (const WriteRow& r : rows) {
        SCOPED_TRACE(u8(r.text));
        const fs::path file = folder / "sheet.txt";
        ASSERT_TRUE(writeSheetFile(file, r.text));
        const std::string bytes = readBytes(file);
        EXPECT_EQ(bytes.find('\r'), std::string::npos);
        const std::string body = r.text.empty() ? "" : u8(r.text) + "\n";
        EXPECT_EQ(bytes, (r.marked ? "\xEF\xBB\xBF" : "") + body) << "UTF-8, one final break";
        const SheetRead read = readSheetFile(file);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(u8(read.text), u8(r.text));
    }
}

struct BadFileRow {
    const char* name;
    std::function<fs::path(const TempFolder&)> make;
    SheetReadError error;
};

TEST(SheetFile, a_file_that_cannot_be_a_sheet_gives_its_reason) {
    const BadFileRow rows[] = {
        {"missing", [](const TempFolder& f) { return f / "none.txt"; }, SheetReadError::Missing},
        {"folder",
         [](const TempFolder& f) {
             fs::create_directory(f / "dir.txt");
             return f / "dir.txt";
         },
         SheetReadError::Folder},
        {"named pipe (must not block)",
         [](const TempFolder& f) {
             ::mkfifo((f / "pipe.txt").c_str(), 0600);
             return f / "pipe.txt";
         },
         SheetReadError::NotRegular},
        {"larger than 64 MB",
         [](const TempFolder& f) {
             writeBytes(f / "big.txt", "1");
             fs::resize_file(f / "big.txt", kMaxSheetFileBytes + 1);
             return f / "big.txt";
         },
         SheetReadError::TooLarge},
        {"binary",
         [](const TempFolder& f) {
             writeBytes(f / "image.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0D", 12));
             return f / "image.png";
         },
         SheetReadError::NotText},
    };
    for (const BadFileRow& r : rows) {
        SCOPED_TRACE(r.name);
        TempFolder folder;
        const SheetRead read = readSheetFile(r.make(folder));
        EXPECT_EQ(read.error, r.error);
        EXPECT_TRUE(read.text.empty());
        EXPECT_NE(readErrorText(read.error, u"x.txt").find(u"x.txt"), std::u16string::npos);
    }
}

// A reader with limits takes a sheet up to them and refuses a larger one, saying how large it is;
// a file too large for them is not read at all.
TEST(SheetFile, limits_refuse_a_larger_sheet_and_say_how_large_it_is) {
    const SheetLimits limits{40, 20, 4};
    const struct {
        const char* name;
        std::string bytes;
        bool ok;
        std::size_t lines; // counted, 0: not read
    } rows[] = {
        {"at every limit", "1\n2\n3\n12345678901234", true, 4},
        {"one line more", "1\n2\n3\n4\n5", false, 5},
        {"CR LF lines count once", "1\r\n2\r\n3\r\n4\r\n", true, 4},
        {"one character more", "1\n2\n3\n123456789012345", false, 4},
        {"a file past the bytes", std::string(41, '1'), false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        writeBytes(folder / "tape.txt", row.bytes);
        const SheetRead read = readSheetFile(folder / "tape.txt", limits);
        EXPECT_EQ(read.ok(), row.ok);
        EXPECT_EQ(read.error, row.ok ? SheetReadError::None : SheetReadError::TooLarge);
        EXPECT_EQ(read.lines, row.lines);
        EXPECT_EQ(read.bytes, row.bytes.size());
        EXPECT_EQ(read.text.empty(), !row.ok);
    }
    // The window's own limit: the text names the size, the window's limit and quillsum-calc.
    const std::u16string text = tooLargeText(u"big.txt", 62'914'560, 15'728'640);
    for (std::u16string_view part :
         {u"60.0MB", u"15,728,640行", u"500,000行", u"quillsum-calc", u"big.txt"})
        EXPECT_NE(text.find(part), std::u16string::npos) << u8(part) << " in " << u8(text);
    EXPECT_NE(tooLargeText(u"big.txt", 20'000'000, 0).find(u"（19.1MB。"), std::u16string::npos)
        << "a file not read has no line count";
}

TEST(SheetFile, a_refused_write_leaves_the_old_file_whole) {
    TempFolder folder;
    const fs::path file = folder / "sheet.txt";
    ASSERT_TRUE(writeSheetFile(file, u"old"));
    {
        const ReadOnly lock(folder.path());
        EXPECT_FALSE(writeSheetFile(file, u"new"));
    }
    EXPECT_EQ(readBytes(file), "old\n");
    EXPECT_EQ(fs::directory_iterator(folder.path())->path(), file) << "no temporary file left";
}

TEST(BackgroundWriter, writes_the_newest_text_and_reports_each_write) {
    TempFolder folder;
    const fs::path file = folder / "sheet.txt";
    std::atomic<int> good = 0;
    std::atomic<int> bad = 0;
    BackgroundWriter writer(file, [&](bool ok) { ++(ok ? good : bad); });
    for (int i = 0; i <= 50; ++i)
        writer.submit(u"line " + std::u16string(1, char16_t(u'0' + i % 10)));
    writer.wait();
    EXPECT_EQ(readBytes(file), "line 0\n") << "the last text submitted";
    EXPECT_GE(good.load(), 1);
    EXPECT_EQ(bad.load(), 0);

    {
        const ReadOnly lock(folder.path());
        writer.submit(u"lost");
        writer.wait();
    }
    EXPECT_EQ(bad.load(), 1);
    EXPECT_EQ(readBytes(file), "line 0\n") << "a failed write keeps the old file";
}

TEST(BackgroundWriter, ending_writes_what_still_waits) {
    TempFolder folder;
    {
        BackgroundWriter writer(folder / "sheet.txt");
        writer.submit(u"1+1");
    }
    EXPECT_EQ(readBytes(folder / "sheet.txt"), "1+1\n");
}

TEST(KeptSheet, lives_beside_the_settings_file_and_an_unreadable_one_is_set_aside) {
    TempFolder folder;
    const ScopedProgramFolder program(folder.path());
    const fs::path kept = keptSheetPath();
    EXPECT_EQ(kept, folder / "sheet.txt");

    const KeptSheetLoad none = loadKeptSheet(kept);
    EXPECT_EQ(none.error, SheetReadError::None) << "a first start has no kept sheet";
    EXPECT_TRUE(none.text.empty());

    writeBytes(kept, std::string("1\0", 2));
    const KeptSheetLoad bad = loadKeptSheet(kept);
    EXPECT_EQ(bad.error, SheetReadError::NotText);
    EXPECT_FALSE(fs::exists(kept)) << "a later write cannot destroy it";
    EXPECT_EQ(readBytes(bad.setAside), std::string("1\0", 2));

    // Each later unreadable sheet gets a name of its own; none replaces one set aside before.
    const std::string later[] = {std::string("2\0", 2), std::string("3\0", 2)};
    for (const std::string& bytes : later) {
        writeBytes(kept, bytes);
        const KeptSheetLoad again = loadKeptSheet(kept);
        EXPECT_NE(again.setAside, bad.setAside);
        EXPECT_EQ(readBytes(again.setAside), bytes);
    }
    EXPECT_EQ(readBytes(bad.setAside), std::string("1\0", 2)) << "the first one is still whole";
    EXPECT_EQ(readBytes(folder / "sheet-unread-3.txt"), later[1]);

    writeBytes(kept, "1+2\n");
    EXPECT_EQ(u8(loadKeptSheet(kept).text), "1+2");
    EXPECT_TRUE(forgetKeptSheet(kept));
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_TRUE(forgetKeptSheet(kept)) << "already gone";
}

struct CaptionRow {
    const char* name;
    std::function<void(SheetDocument&)> steps;
    const char* caption;
    bool unsaved;
};

TEST(SheetDocument, caption_names_the_file_and_marks_unsaved_edits) {
    const CaptionRow rows[] = {
        {"new sheet", [](SheetDocument&) {}, "Quillsum", false},
        {"edits without a file are kept, not unsaved", [](SheetDocument& d) { d.edited(); },
         "Quillsum", false},
        {"opened", [](SheetDocument& d) { d.matches("/home/a/家計簿.txt"); },
         "Quillsum - 家計簿.txt", false},
        {"opened and edited",
         [](SheetDocument& d) {
             d.matches("/home/a/家計簿.txt");
             d.edited();
         },
         "Quillsum - 家計簿.txt*", true},
        {"edited, then saved under another name",
         [](SheetDocument& d) {
             d.matches("/home/a/家計簿.txt");
             d.edited();
             d.matches("/tmp/tax.txt");
         },
         "Quillsum - tax.txt", false},
    };
    for (const CaptionRow& r : rows) {
        SCOPED_TRACE(r.name);
        SheetDocument doc;
        r.steps(doc);
        EXPECT_EQ(u8(doc.caption(u"Quillsum")), r.caption);
        EXPECT_EQ(doc.unsaved(), r.unsaved);
        EXPECT_TRUE(isDocumentCaption(doc.caption(u"Quillsum"), u"Quillsum"))
            << "a later start still finds the window";
    }
    for (std::u16string_view other : {u"Quillsum (ボタン移動モード)", u"$", u"QuillsumX", u""}) {
        SCOPED_TRACE(u8(other));
        EXPECT_FALSE(isDocumentCaption(other, u"Quillsum"));
    }
}

} // namespace
} // namespace quill
