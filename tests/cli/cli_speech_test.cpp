// quillsum-calc's speech: the "spoken" text in JSON, --say into a WAV file or to a sound
// server, --version and --help.
#include "calc_run.h"
#include "scoped_env.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using quill::cli_test::calc;
using quill::cli_test::CalcRun;
using quill::cli_test::readFile;

bool speechInstalled() {
    static const bool installed = [] {
        const std::string wav =
            testing::TempDir() + "quill-probe-" + std::to_string(getpid()) + ".wav";
        const bool ok = calc("--eval 1 --say --wav " + wav).status == 0;
        std::remove(wav.c_str());
        return ok;
    }();
    return installed;
}

TEST(QuillsumCalcSpeech, JsonCarriesTheTextTheVoiceReads) {
    const struct {
        const char* args;
        const char* input;
        const char* spoken;
    } rows[] = {
        {"--json", "12345\n", "いちまんにせんさんびゃくよんじゅうご"},
        {"--json", "1000\n* 10000\n", "いっせんまん"},
        {"--json", "-0.5\n", "マイナスれいてんご"},
        {"--json", "\"abc\"\n", ""},
        {"--json", "", ""},
        {"--json", "2*\n", ""},         // a failed total shows nothing and says nothing
        {"--json", "1/0\n+ 5\n", "ご"}, // what the total box shows
        {"--json --eval 2*", "", ""},
        {"--json", "\n\n", "ぜろ"}, // blank lines total 0, shown and said
        {"--json --grouping units", "300000000\n", "さんおく"}, // grouping is for the eye only
        {"--json --eval 8*100", "", "はっぴゃく"},
        {"--json --eval NOW --now 2009-03-07T14:01:09", "",
         "にせんきゅうねん、さんがつ、なのか、じゅうよじ、いっぷん、きゅうびょう、"},
        {"--json --eval TIME --now 2009-03-07T04:20:00", "", "よじ、にじゅっぷん、れいびょう"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args + std::string(" < ") + row.input);
        const CalcRun r = calc(row.args, row.input);
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(nlohmann::json::parse(r.out)["spoken"], row.spoken);
    }
}

TEST(QuillsumCalcSpeech, VersionAndHelpListingEveryOption) {
    const CalcRun version = calc("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quillsum-calc " QUILL_VERSION "\n");
    const CalcRun help = calc("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--grouping", "--now", "--json", "--eval", "--say", "--wav",
                               "--read-back", "--speed", "--volume", "--version", "--help", "FILE"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(calc("--say --wav").status, 2) << "--wav without its file";
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST(QuillsumCalcSpeech, SayIntoAWavFile) {
    if (!speechInstalled()) GTEST_SKIP() << "espeak-ng's Japanese voice is not installed";
    const std::string wav = testing::TempDir() + "quill-say-" + std::to_string(getpid()) + ".wav";
    const struct {
        const char* args;
        const char* input;
        bool sound;
    } rows[] = {
        {"--say --wav ", "300\n", true},
        {"--grouping 3 --say --wav ", "3000\n", true},
        {"--eval 1.5 --say --wav ", "", true},
        {"--say --wav ", "\"abc\"\n", false}, // nothing to say: a WAV file without samples
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args + std::string(row.input));
        const CalcRun r = calc(row.args + wav, row.input);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_FALSE(r.out.empty()) << "the results are printed as ever";
        const std::string bytes = readFile(wav);
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(le(bytes, 4, 4), bytes.size() - 8);
        EXPECT_EQ(le(bytes, 22, 2), 1u) << "mono";
        EXPECT_GT(le(bytes, 24, 4), 8000u) << "sample rate";
        EXPECT_EQ(le(bytes, 34, 2), 16u) << "bits per sample";
        EXPECT_EQ(le(bytes, 40, 4), bytes.size() - 44);
        EXPECT_EQ(bytes.size() > 44 + 22050 / 4, row.sound);
        std::remove(wav.c_str());
    }
    const CalcRun unwritable = calc("--say --wav /proc/quill.wav", "1\n");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos);
}

// The samples of a WAV file written by --wav.
std::vector<short> wavSamples(const std::string& bytes) {
    std::vector<short> samples;
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2)
        samples.push_back(static_cast<short>(le(bytes, at, 2)));
    return samples;
}

int peak(const std::vector<short>& samples) {
    int p = 0;
    for (short s : samples) p = std::max(p, std::abs(int(s)));
    return p;
}

TEST(QuillsumCalcSpeech, SpeedAndVolumeShapeTheSpeech) {
    if (!speechInstalled()) GTEST_SKIP() << "espeak-ng's Japanese voice is not installed";
    const std::string wav = testing::TempDir() + "quill-voice-" + std::to_string(getpid()) + ".wav";
    auto spoken = [&](const std::string& args, const char* input) {
        const CalcRun r = calc(args + " --wav " + wav, input);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<short> samples = wavSamples(readFile(wav));
        std::remove(wav.c_str());
        return samples;
    };
    // Lengths and loudness against the same speech at the defaults.
    const struct {
        const char* speech;
        const char* voice;
        const char* input;
        double length; // expected share of the default's length
        double peak;   // expected share of the default's peak; 0: not checked (a faster
                       // voice is sped up as a whole and its peaks move a little)
    } rows[] = {
        {"--eval 987654321 --say", "--speed 100", "", 1, 1},
        {"--eval 987654321 --say", "--speed 200", "", 0.5, 0},
        {"--eval 987654321 --say", "--speed 50", "", 2, 0},
        {"--eval 987654321 --say", "--speed 300", "", 1.0 / 3, 0},
        {"--eval 987654321 --say", "--volume 50", "", 1, 0.5},
        {"--read-back", "--speed 200", "1234\n+ 5678\n", 0.5, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.speech) + " " + row.voice);
        const std::vector<short> normal = spoken(row.speech, row.input);
        const std::vector<short> shaped =
            spoken(std::string(row.speech) + " " + row.voice, row.input);
        ASSERT_FALSE(normal.empty());
        EXPECT_NEAR(double(shaped.size()) / normal.size(), row.length, row.length * 0.25);
        if (row.peak > 0) {
            EXPECT_NEAR(double(peak(shaped)) / peak(normal), row.peak, 0.1);
        }
    }
    const std::vector<short> muted = spoken("--eval 5 --say --volume 0", "");
    EXPECT_FALSE(muted.empty());
    EXPECT_EQ(peak(muted), 0) << "volume 0 is silence of the same length";

    // Out of range, not a plain number, or with nothing to say, is an unusable argument.
    for (const char* args :
         {"--say --speed 49", "--say --speed 301", "--say --speed 1e2", "--say --speed -100",
          "--say --volume 101", "--say --volume", "--say --speed ''", "--say --volume 5%",
          "--speed 200", "--json --volume 50"}) {
        SCOPED_TRACE(args);
        const CalcRun r = calc(std::string("--eval 1 ") + args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
    }
}

TEST(QuillsumCalcSpeech, SayWithoutASoundServerSaysSoOnce) {
    if (!speechInstalled()) GTEST_SKIP() << "espeak-ng's Japanese voice is not installed";
    // A sound server that is not there, whatever this machine has.
    setenv("PULSE_SERVER", "unix:/nonexistent/quill-pulse", 1);
    const CalcRun none = calc("--say", "300\n");
    unsetenv("PULSE_SERVER");
    EXPECT_EQ(none.status, 3);
    EXPECT_EQ(none.out, "300\n= 300\n");
    // One line of its own and nothing from the libraries underneath.
    EXPECT_EQ(std::count(none.err.begin(), none.err.end(), '\n'), 1) << none.err;
    EXPECT_EQ(none.err.rfind("quillsum-calc: cannot speak", 0), 0u) << none.err;
}

// The installed voice data: the folder holding ja_dict.
std::string espeakData() {
    for (const char* folder :
         {"/usr/lib/x86_64-linux-gnu/espeak-ng-data", "/usr/lib/aarch64-linux-gnu/espeak-ng-data",
          "/usr/share/espeak-ng-data", "/usr/lib/espeak-ng-data"})
        if (std::filesystem::exists(std::string(folder) + "/ja_dict")) return folder;
    return {};
}

// Only the program's own line reaches standard error: not the sound library's notes (a WAV
// file needs no sound server), nor espeak-ng's about a voice it cannot read.
TEST(QuillsumCalcSpeech, StandardErrorHoldsOnlyTheProgramsOwnLine) {
    if (!speechInstalled() || espeakData().empty())
        GTEST_SKIP() << "espeak-ng's Japanese voice is not installed";
    namespace fs = std::filesystem;
    const fs::path dir = testing::TempDir() + "quill-quiet-" + std::to_string(getpid());
    fs::create_directories(dir / "espeak-ng-data");
    std::ofstream(dir / "home-is-a-file") << "";
    // The voice data without the Japanese dictionary.
    for (const auto& entry : fs::directory_iterator(espeakData()))
        if (entry.path().filename() != "ja_dict")
            fs::create_symlink(entry.path(), dir / "espeak-ng-data" / entry.path().filename());
    const std::string wav = (dir / "out.wav").string();
    const struct {
        const char* name;
        const char* variable;
        std::string value;
        int status;
        const char* err;
    } rows[] = {
        {"a home where nothing can be made", "HOME", (dir / "home-is-a-file").string(), 0, ""},
        {"a voice without its dictionary", "ESPEAK_DATA_PATH", dir.string(), 3,
         "quillsum-calc: cannot speak: espeak-ng or its Japanese voice (ja) is not installed\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        quill::test::ScopedEnv env(row.variable, row.value.c_str());
        const CalcRun r = calc("--eval 600 --say --wav " + wav);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
    }
    fs::remove_all(dir);
}

} // namespace
