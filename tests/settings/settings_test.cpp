#include "settings/settings.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace quill {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

TEST(Settings, FirstStartTakesEveryDefault) {
    TempFolder folder;
    const Settings s(folder / "setting.ini");
    EXPECT_FALSE(s.severalInstances());
    EXPECT_EQ(s.foreColor(), kSystemWindowText);
    EXPECT_EQ(s.backColor(), kSystemWindowBackground);
    EXPECT_EQ(s.foreColor(0x123456), 0x123456u);
    EXPECT_EQ(s.fontSize(), 9);
    EXPECT_EQ(s.split(321), 321);
    EXPECT_TRUE(s.underline());
    EXPECT_EQ(s.lineColor(), kSystemWindowText);
    EXPECT_TRUE(s.statusBar());
    EXPECT_FALSE(s.centre());
    EXPECT_FALSE(s.alwaysOnTop());
    EXPECT_FALSE(s.keypadHidden());
    EXPECT_EQ(s.grouping(), Grouping::None);
    EXPECT_EQ(s.recalc(), Recalc::OnEnter);
    EXPECT_FALSE(s.talk());
    EXPECT_TRUE(s.keepSheet());
    EXPECT_EQ(s.buttonSize(), ButtonSize::Small);
    EXPECT_EQ(s.transparency(), 255);
    EXPECT_EQ(s.numPos(), u"");
    EXPECT_EQ(s.menuPos(), u"");
    EXPECT_EQ(s.opPos(), u"");
    EXPECT_EQ(s.formulaText().text, u"");
    EXPECT_EQ(s.voice(), Voice{});
    EXPECT_EQ(s.voiceOutput(), VoiceOutput::Own);
    EXPECT_FALSE(std::filesystem::exists(folder / "setting.ini")) << "reading created the file";
}

struct ReadRow {
    const char* line;
    std::function<bool(const Settings&)> holds;
};

TEST(Settings, StoredValuesReadByTheirKind) {
    const ReadRow rows[] = {
        {"PI=1", [](const Settings& s) { return s.severalInstances(); }},
        {"KeepSheet=0", [](const Settings& s) { return !s.keepSheet(); }},
        {"pi=0", [](const Settings& s) { return !s.severalInstances(); }},
        {"BackColor=-2147483643",
         [](const Settings& s) { return s.backColor(0) == kSystemWindowBackground; }},
        {"ForeColor=16777215", [](const Settings& s) { return s.foreColor() == 0xFFFFFFu; }},
        {"ForeColor=red", [](const Settings& s) { return s.foreColor() == 0u; }},
        {"FontSize=10.5", [](const Settings& s) { return s.fontSize() == 10; }},
        {"FontSize=0", [](const Settings& s) { return s.fontSize() == 9; }},
        {"FontSize=-3", [](const Settings& s) { return s.fontSize() == 9; }},
        {"FontSize=99999",
         [](const Settings& s) { return s.fontSize() == Settings::kMaxFontSize; }},
        {"Split=296.75", [](const Settings& s) { return s.split(0) == 296; }},
        {"UnderLine=0", [](const Settings& s) { return !s.underline(); }},
        {"UnderLine=1", [](const Settings& s) { return s.underline(); }},
        {"Status=0", [](const Settings& s) { return !s.statusBar(); }},
        {"TOP=-1", [](const Settings& s) { return s.alwaysOnTop(); }},
        {"BtnView=-1", [](const Settings& s) { return s.keypadHidden(); }},
        {"keta=1", [](const Settings& s) { return s.grouping() == Grouping::Units; }},
        {"keta=2", [](const Settings& s) { return s.grouping() == Grouping::Three; }},
        {"keta=4", [](const Settings& s) { return s.grouping() == Grouping::Four; }},
        {"keta=x", [](const Settings& s) { return s.grouping() == Grouping::None; }},
        {"ReCalc=-1", [](const Settings& s) { return s.recalc() == Recalc::OnEveryInput; }},
        {"ReCalc=5", [](const Settings& s) { return s.recalc() == Recalc::Neither; }},
        {"ReCalc=0", [](const Settings& s) { return s.recalc() == Recalc::Neither; }},
        {"Talk=-1", [](const Settings& s) { return s.talk(); }},
        {"BtnSize=5", [](const Settings& s) { return s.buttonSize() == ButtonSize::Medium; }},
        {"BtnSize=9", [](const Settings& s) { return s.buttonSize() == ButtonSize::Small; }},
        {"Transparency=256", [](const Settings& s) { return s.transparency() == 256; }},
        {"VoiceSpeed=250",
         [](const Settings& s) {
             return s.voice() == Voice{250, 100, 50};
         }},
        {"voicespeed=1000", [](const Settings& s) { return s.voice().speed == 300; }},
        {"VoiceSpeed=0", [](const Settings& s) { return s.voice().speed == 50; }},
        {"VoiceVolume=-5", [](const Settings& s) { return s.voice().volume == 0; }},
        {"VoicePitch=70.5", [](const Settings& s) { return s.voice().pitch == 70; }},
        {"VoiceOutput=1",
         [](const Settings& s) { return s.voiceOutput() == VoiceOutput::Service; }},
        {"VoiceOutput=-1", [](const Settings& s) { return s.voiceOutput() == VoiceOutput::Own; }},
        {"NumPos= 120,480|960,480 ",
         [](const Settings& s) { return s.numPos() == u"120,480|960,480"; }},
    };
    TempFolder folder;
    const auto file = folder / "setting.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        writeBytes(file, std::string("[Calc]\n") + row.line + "\n");
        EXPECT_TRUE(row.holds(Settings(file)));
    }
}

struct WriteRow {
    const char* expectedLine;
    std::function<bool(Settings&)> write;
};

TEST(Settings, ValuesWrittenInTheirKindsForm) {
    const WriteRow rows[] = {
        {"PI=1", [](Settings& s) { return s.setSeveralInstances(true); }},
        {"BackColor=-2147483643",
         [](Settings& s) { return s.setBackColor(kSystemWindowBackground); }},
        {"ForeColor=-2147483640", [](Settings& s) { return s.setForeColor(kSystemWindowText); }},
        {"LineColor=255", [](Settings& s) { return s.setLineColor(0xFF); }},
        {"FontSize=10.5", [](Settings& s) { return s.setFontSizeText(u"10.5"); }},
        {"Split=296", [](Settings& s) { return s.setSplit(296.0f); }},
        {"Split=296.5", [](Settings& s) { return s.setSplit(296.5f); }},
        {"UnderLine=-1", [](Settings& s) { return s.setUnderline(true); }},
        {"Status=0", [](Settings& s) { return s.setStatusBar(false); }},
        {"Center=-1", [](Settings& s) { return s.setCentre(true); }},
        {"Top=-1", [](Settings& s) { return s.setAlwaysOnTop(true); }},
        {"BtnView=0", [](Settings& s) { return s.setKeypadHidden(false); }},
        {"keta=3", [](Settings& s) { return s.setGrouping(Grouping::Three); }},
        {"keta=1", [](Settings& s) { return s.setGrouping(Grouping::Units); }},
        {"ReCalc=-1", [](Settings& s) { return s.setRecalc(Recalc::OnEveryInput); }},
        {"Talk=-1", [](Settings& s) { return s.setTalk(true); }},
        {"BtnSize=5", [](Settings& s) { return s.setButtonSize(ButtonSize::Medium); }},
        {"Transparency=200", [](Settings& s) { return s.setTransparency(200); }},
        {"OpPos=120,480|1800.5,0",
         [](Settings& s) {
             return s.setOpPos({{120, 480}, {1800.5f, 0}});
         }},
        {"Formula=a||b", [](Settings& s) { return s.setFormulaText(u"a||b"); }},
        {"VoiceSpeed=120", [](Settings& s) { return s.setVoiceSpeed(120); }},
        {"VoiceVolume=80", [](Settings& s) { return s.setVoiceVolume(80); }},
        {"VoicePitch=40", [](Settings& s) { return s.setVoicePitch(40); }},
        {"VoiceOutput=1", [](Settings& s) { return s.setVoiceOutput(VoiceOutput::Service); }},
    };
    TempFolder folder;
    const auto file = folder / "setting.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expectedLine);
        std::filesystem::remove(file);
        Settings s(file);
        EXPECT_TRUE(row.write(s));
        EXPECT_EQ(readBytes(file), std::string("[Calc]\n") + row.expectedLine + "\n");
    }
}

TEST(Settings, FontSizeTextThatIsNoSizeIsNotWritten) {
    TempFolder folder;
    Settings s(folder / "setting.ini");
    ASSERT_TRUE(s.setFontSizeText(u"12"));
    for (const std::u16string_view text : {u"", u"abc", u"0", u"-4"}) {
        EXPECT_FALSE(s.setFontSizeText(text));
        EXPECT_EQ(s.fontSize(), 12);
    }
}

TEST(Settings, RefusedWritesAreReportedNotDone) {
    TempFolder folder;
    Settings s(folder / "setting.ini");
    ASSERT_TRUE(s.setTalk(true));
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_FALSE(s.setTalk(false));
    EXPECT_FALSE(SaveWindowPos(s, {WindowState::Maximised, std::nullopt}));
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_TRUE(s.talk());
    EXPECT_EQ(LoadWindowPos(s).state, WindowState::Normal);
}

TEST(WindowPos, FirstStartIsTheTopLeftCorner) {
    TempFolder folder;
    const WindowPlacement p = LoadWindowPos(Settings(folder / "setting.ini"));
    EXPECT_EQ(p.state, WindowState::Normal);
    ASSERT_TRUE(p.rect);
    EXPECT_EQ(p.rect->left, 0);
    EXPECT_EQ(p.rect->top, 0);
    EXPECT_EQ(p.rect->width, 6475);
    EXPECT_EQ(p.rect->height, 5430);
}

TEST(WindowPos, MaximisedKeepsTheLastNormalPlace) {
    TempFolder folder;
    Settings s(folder / "setting.ini");
    ASSERT_TRUE(SaveWindowPos(s, {WindowState::Normal, WindowRect{150, 300, 7000, 6000}}));
    EXPECT_EQ(readBytes(folder / "setting.ini"),
              "[Calc]\nWinState=0\nX=150\nY=300\nH=6000\nW=7000\n");

    ASSERT_TRUE(SaveWindowPos(s, {WindowState::Maximised, WindowRect{0, 0, 1, 1}}));
    WindowPlacement p = LoadWindowPos(s);
    EXPECT_EQ(p.state, WindowState::Maximised);
    EXPECT_FALSE(p.rect) << "position keys are not read for a maximised window";

    ASSERT_TRUE(SaveWindowPos(s, {WindowState::Normal, std::nullopt}));
    p = LoadWindowPos(s);
    ASSERT_TRUE(p.rect);
    EXPECT_EQ(p.rect->left, 150);
    EXPECT_EQ(p.rect->width, 7000);
    EXPECT_EQ(p.rect->height, 6000);
}

TEST(WindowPos, UnknownStateReadsAsNormal) {
    TempFolder folder;
    writeBytes(folder / "setting.ini", "[Calc]\nWinState=7\nX=15.9\n");
    const WindowPlacement p = LoadWindowPos(Settings(folder / "setting.ini"));
    EXPECT_EQ(p.state, WindowState::Normal);
    ASSERT_TRUE(p.rect);
    EXPECT_EQ(p.rect->left, 15);
}

} // namespace
} // namespace quill

namespace quill {
namespace {

// The close sequence: many keys, one replace of the file.
void writeCloseSequence(Settings& s) {
    s.setStatusBar(false);
    s.setCentre(true);
    s.setTransparency(200);
    s.setGrouping(Grouping::Four);
    SaveWindowPos(s, {WindowState::Normal, WindowRect{15, 30, 7000, 6000}});
    s.setOpPos({{1, 2}, {3, 4}});
}

TEST(SettingsBatch, GathersWritesIntoOneReplace) {
    TempFolder folder;
    const auto file = folder / "setting.ini";
    writeBytes(file, "; mine\n[Calc]\nTop=-1\n");
    Settings s(file);
    struct stat before {};
    ::stat(file.c_str(), &before);
    {
        SettingsBatch batch(s);
        writeCloseSequence(s);
        EXPECT_EQ(s.transparency(), 200) << "reads see the gathered writes";
        EXPECT_EQ(readBytes(file), "; mine\n[Calc]\nTop=-1\n") << "written before the commit";
        EXPECT_TRUE(batch.commit());
    }
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(readBytes(file), "; mine\n[Calc]\nTop=-1\nStatus=0\nCenter=-1\nTransparency=200\n"
                               "keta=4\nWinState=0\nX=15\nY=30\nH=6000\nW=7000\nOpPos=1,2|3,4\n");
}

TEST(SettingsBatch, CommitsWhenLeftWithoutCommit) {
    TempFolder folder;
    Settings s(folder / "setting.ini");
    {
        SettingsBatch batch(s);
        s.setTalk(true);
    }
    EXPECT_TRUE(Settings(folder / "setting.ini").talk());
}

TEST(SettingsBatch, RefusedCommitStoresNothing) {
    TempFolder folder;
    Settings s(folder / "setting.ini");
    ::chmod(folder.path().c_str(), 0555);
    SettingsBatch batch(s);
    writeCloseSequence(s);
    EXPECT_FALSE(batch.commit());
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_FALSE(std::filesystem::exists(folder / "setting.ini"));
    EXPECT_EQ(s.transparency(), 255);
}

} // namespace
} // namespace quill
