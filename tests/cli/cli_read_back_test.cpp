// quillsum-calc --read-back: the texts the voice reads for every line and the total, and the
// same speech written into one WAV file.
#include "calc_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using quill::cli_test::calc;
using quill::cli_test::CalcRun;
using quill::cli_test::readFile;

TEST(QuillsumCalcReadBack, JsonListsWhatTheVoiceReadsLineByLine) {
    const struct {
        const char* name;
        const char* args;
        const char* sheet;
        std::vector<std::string> phrases;
    } rows[] = {
        {"a tape with a blank line, a failed line, a date and a total",
         "--read-back --json",
         "100\n+50\n\n1/0\n\"2009/03/07\"\n",
         {"ひゃく", "たす、ごじゅう", "たす、エラー", "たす、にせんきゅうねん、さんがつ、なのか",
          "ごうけい、にせんきゅうねん、はちがつ、よっか"}},
        {"grouped results are read as numbers",
         "--read-back --json --grouping units",
         "12345\n- 300\n",
         {"いちまんにせんさんびゃくよんじゅうご", "ひく、さんびゃく",
          "ごうけい、いちまんにせんよんじゅうご"}},
        {"integer division is told apart from division",
         "--read-back --json -",
         "17\n\\ 5\n/ 2\n",
         {"じゅうなな", "せいすうわる、ご", "わる、に", "ごうけい、いってんご"}},
        {"an empty sheet reads nothing", "--read-back --json", "", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CalcRun r = calc(row.args, row.sheet);
        ASSERT_EQ(r.status, 0);
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["phrases"], nlohmann::json(row.phrases));
    }
}

TEST(QuillsumCalcReadBack, WavHoldsEveryPhraseInTurn) {
    const std::string one =
        testing::TempDir() + "quill-readback-one-" + std::to_string(getpid()) + ".wav";
    const std::string all =
        testing::TempDir() + "quill-readback-all-" + std::to_string(getpid()) + ".wav";
    if (calc("--say --wav " + one, "12\n").status != 0)
        GTEST_SKIP() << "espeak-ng or its Japanese voice is not installed";
    ASSERT_EQ(calc("--read-back --wav " + all, "12\n+ 12\n").status, 0);
    const std::string single = readFile(one), both = readFile(all);
    ASSERT_GT(single.size(), 44u);
    EXPECT_EQ(both.substr(0, 4), "RIFF");
    // "じゅうに", "たす、じゅうに", "ごうけい、にじゅうよん" take well over twice the total alone.
    EXPECT_GT(both.size(), single.size() * 2);
    std::remove(one.c_str());
    std::remove(all.c_str());
    EXPECT_EQ(calc("--read-back --eval 1", "").status, 2) << "--read-back reads a sheet";
}

} // namespace
