// quillsum-calc as a user runs it: arguments, input from a file and from standard input,
// plain and JSON output, exit statuses.
#include "calc_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using quill::cli_test::calc;
using quill::cli_test::CalcRun;

TEST(QuillsumCalc, SheetFromStandardInputPrintsResultsAndTotal) {
    CalcRun r = calc("-", "100\n+50\n* 2\n\n- 30\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "100\n+ 50\n* 2\n\n- 30\n= 270\n");
}

// LF, CR LF and a lone CR all end a line; only one final line break is dropped.
TEST(QuillsumCalc, LineEnds) {
    const std::pair<const char*, const char*> rows[] = {
        {"1\r\n2\r\n", "1\n+ 2\n= 3\n"},
        {"1\n\n", "1\n\n= 1\n"},
        {"", "= \n"},
        {"1+2\r3*4\r5", "3\n+ 12\n+ 5\n= 20\n"},
        {"1\r2\r", "1\n+ 2\n= 3\n"},
        {"1\r\r", "1\n\n= 1\n"},
        {"1\n\r2\r\n", "1\n\n+ 2\n= 3\n"},
    };
    for (const auto& [input, output] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(input)));
        EXPECT_EQ(calc("", input).out, output);
    }
}

// A sheet file gives the lines the window shows when it opens the same file: code page 932
// is decoded, every line separator ends a line, and bytes that are no text are refused.
TEST(QuillsumCalc, SheetFileReadAsTheWindowOpensIt) {
    const struct {
        const char* name;
        std::string bytes;
        int status;
        const char* out;
    } rows[] = {
        {"code page 932", "LEN(\"\x83\x4B\x83\x58\")\r\n\x82\x54\x81\x7B\x82\x54\r\n", 0,
         "3\n+ 10\n= 13\n"},
        {"UTF-8 byte-order mark",
         "\xEF\xBB\xBF"
         "5\n6\n",
         0, "5\n+ 6\n= 11\n"},
        {"line separator",
         "1\xE2\x80\xA8"
         "4\n",
         0, "1\n+ 4\n= 5\n"},
        {"paragraph separator and NEL",
         "1\xE2\x80\xA9"
         "2\xC2\x85"
         "3",
         0, "1\n+ 2\n+ 3\n= 6\n"},
        {"form feed and a stray control",
         "1\f2\x01"
         "0",
         0, "1\n+ 20\n= 21\n"},
        {"zero byte",
         std::string("1\0"
                     "4\n5\n",
                     6),
         1, ""},
        {"neither encoding", "1\n\xFF\xFF\n", 1, ""},
    };
    const std::string path =
        testing::TempDir() + "quill-cli-bytes-" + std::to_string(getpid()) + ".txt";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream(path, std::ios::binary) << row.bytes;
        const CalcRun r = calc(path);
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_EQ(r.out, row.out);
    }
    std::remove(path.c_str());
}

TEST(QuillsumCalc, SheetFromAFileWithGrouping) {
    std::string path = testing::TempDir() + "quill-cli-sheet-" + std::to_string(getpid()) + ".txt";
    std::ofstream(path) << "1234567\n+ 1\n";
    CalcRun r = calc("--grouping 3 " + path);
    EXPECT_EQ(r.out, "1,234,567\n+ 1\n= 1,234,568\n");
    EXPECT_EQ(calc("--grouping units " + path).out, "123万4567\n+ 1\n= 123万4568\n");
    std::remove(path.c_str());
}

TEST(QuillsumCalc, JsonSheetCarriesStatusSpeechAndNarrowedSheet) {
    auto j = nlohmann::json::parse(calc("--json", "１＋２\n1/0\n").out);
    EXPECT_EQ(j["results"], nlohmann::json::array({"3", "+ "}));
    EXPECT_EQ(j["total"], "3");
    EXPECT_EQ(j["status"], "計算が完了しました");
    EXPECT_EQ(j["speech"], "<NUMK VAL=3>");
    EXPECT_EQ(j["sheet"], "1+2\n1/0");
}

TEST(QuillsumCalc, EvalPrintsOneValue) {
    EXPECT_EQ(calc("--eval '1/3'").out, "0.3333333333333333333333333333\n");
    auto j = nlohmann::json::parse(calc("--eval 'NOW' --now 2026-12-07T09:30:00 --json").out);
    EXPECT_EQ(j["kind"], "date");
    EXPECT_EQ(j["text"], "2026/12/07 9:30:00");
    EXPECT_EQ(j["status"], "");
    auto failed = nlohmann::json::parse(calc("--eval '2*' --json").out);
    EXPECT_EQ(failed["kind"], "empty");
    EXPECT_EQ(failed["status"], "計算中にエラーが発生しました。計算式を確認して下さい");
}

// A failure is one line on standard error and nothing on standard output; where the line
// says why, it names the reason.
TEST(QuillsumCalc, ExitStatuses) {
    const std::string dir = testing::TempDir() + "quill-cli-exit-" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/real.wav") << "x";
    std::filesystem::create_symlink(dir + "/real.wav", dir + "/elsewhere.wav");
    std::filesystem::create_symlink(dir + "/gone.wav", dir + "/dangling.wav");
    // The links lead outside this home folder.
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", (dir + "/home").c_str(), 1);
    struct Row {
        std::string args;
        int status;
        const char* says = "";
    } rows[] = {
        {"--eval 1 --eval 2", 2, "--eval is given twice"},
        {"--grouping 3 --grouping 4", 2, "--grouping is given twice"},
        {"--wav " + dir + "/a.wav", 2, "--wav needs --say or --read-back"},
        {"--read-back --json --wav " + dir + "/a.wav", 2, "not both"},
        {"--say --wav " + dir + "/deep/a/b/x.wav", 1, "deep/a/b does not exist"},
        {"--read-back --wav " + dir + "/deep/x.wav", 1, "deep does not exist"},
        {"--say --wav " + dir + "/dangling.wav", 1, "leads to nothing"},
        {"--say --wav " + dir + "/elsewhere.wav", 1, "leads outside your home folder"},
        {"--say --wav " + dir, 1, "not a regular file"},
        {"--eval 1", 0},
        {"--eval '1/0'", 0},
        {"--grouping 5", 2},
        {"--now yesterday", 2},
        {"--bogus", 2},
        {"--eval", 2},
        {"a.txt b.txt", 2},
        {"/nonexistent/sheet.txt", 1},
        {"/tmp", 1},
        {"--help", 0},
        {"--grouping \"$(printf 'a\\nb')\"", 2},
        {"\"$(printf '/nonexistent/a\\nb')\"", 1},
        {"/dev/zero", 1},
        {"--json /dev/zero", 1},
        {"--eval 1 > /dev/full", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        const bool wav = row.args.find("--wav") != std::string::npos;
        const CalcRun r = calc(row.args);
        EXPECT_EQ(r.status, row.status);
        if (row.status == 0) continue;
        if (!wav) {
            EXPECT_EQ(r.out, "");
        }
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("quillsum-calc: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
    }
    setenv("HOME", oldHome.c_str(), 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "/deep")) << "a missing folder is not made";
    EXPECT_EQ(quill::cli_test::readFile(dir + "/real.wav"), "x");
    std::filesystem::remove_all(dir);
}

// The JSON form streams its results: its memory stays within a few times the input, where
// building the whole object first took some thirty times.
TEST(QuillsumCalc, JsonOfALongSheetStaysWithinAFewTimesItsInput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    const std::string path =
        testing::TempDir() + "quill-cli-long-" + std::to_string(getpid()) + ".txt";
    std::string sheet;
    for (int i = 0; i < 500000; ++i) sheet += "12345+1\n";
    std::ofstream(path, std::ios::binary) << sheet;
    auto peakKilobytes = [&](std::vector<const char*> args) {
        args.insert(args.begin(), QUILL_CALC);
        args.push_back(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            freopen("/dev/null", "w", stdout);
            execv(QUILL_CALC, const_cast<char* const*>(args.data()));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        return static_cast<std::size_t>(usage.ru_maxrss);
    };
    const std::size_t base = peakKilobytes({"--eval", "1"});
    const std::size_t json = peakKilobytes({"--json", path.c_str()});
    EXPECT_LE(json - base, 6 * sheet.size() / 1024) << "peak " << json << " kB, base " << base;
    std::remove(path.c_str());
}

} // namespace
