// quillsum-calc as a user runs it: arguments, input from a file and from standard input,
// plain and JSON output, exit statuses.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CalcRun {
    int status;
    std::string out;
};

// Runs quillsum-calc with the given arguments (shell-quoted by the caller), standard input
// from `input`; standard error is discarded.
CalcRun calc(const std::string& args, const std::string& input = "") {
    char path[] = "/tmp/quill-cli-XXXXXX";
    int fd = mkstemp(path);
    EXPECT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(fd);
    std::string cmd = std::string(QUILL_CALC) + " " + args + " < " + path + " 2>/dev/null";
    CalcRun r{-1, ""};
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
        int st = pclose(p);
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }
    unlink(path);
    return r;
}

TEST(QuillsumCalc, SheetFromStandardInputPrintsResultsAndTotal) {
    CalcRun r = calc("-", "100\n+50\n* 2\n\n- 30\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "100\n+ 50\n* 2\n\n- 30\n= 270\n");
}

TEST(QuillsumCalc, OnlyOneFinalLineBreakIsDropped) {
    EXPECT_EQ(calc("", "1\r\n2\r\n").out, "1\n+ 2\n= 3\n");
    EXPECT_EQ(calc("", "1\n\n").out, "1\n\n= 1\n");
    EXPECT_EQ(calc("", "").out, "= \n");
}

TEST(QuillsumCalc, SheetFromAFileWithGrouping) {
    std::string path = testing::TempDir() + "quill-cli-sheet.txt";
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

TEST(QuillsumCalc, ExitStatuses) {
    struct Row {
        const char* args;
        int status;
    } rows[] = {
        {"--eval 1", 0}, {"--eval '1/0'", 0}, {"--grouping 5", 2}, {"--now yesterday", 2},
        {"--bogus", 2},  {"--eval", 2},       {"a.txt b.txt", 2},  {"/nonexistent/sheet.txt", 1},
        {"/tmp", 1},     {"--help", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        EXPECT_EQ(calc(row.args).status, row.status);
    }
}

} // namespace
