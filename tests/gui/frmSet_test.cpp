// The settings dialog: what it shows on opening, what Apply writes and hands to the main
// window, the colour buttons, and the colour chooser's custom colours.
#include "dialogs/frmSet.h"
#include "dialogs/frmSetColor.h"
#include "gui_fixture.h"
#include "settings/profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace quill {
namespace {

std::string u8(const QString& s) {
    return s.toStdString();
}
std::string u8(const std::u16string& s) {
    return QString::fromStdU16String(s).toStdString();
}

class SettingsDialog : public test::GuiTest {
protected:
    std::filesystem::path ini() const { return iniFile(); }

    // The stored value of a key, "(absent)" when it is not in the file.
    std::string stored(std::string_view key) const {
        auto value = Profile(ini()).readRaw(key);
        return value ? u8(*value) : "(absent)";
    }

    // The key names present in the file.
    std::set<std::string> storedKeys() const {
        std::set<std::string> keys;
        QFile f(QString::fromStdString(ini().string()));
        if (!f.open(QIODevice::ReadOnly)) return keys;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0) keys.insert(line.left(eq).trimmed().toStdString());
        }
        return keys;
    }

    // The dialog on a main window in its first-run look, with a scripted colour chooser.
    std::unique_ptr<frmSet> open(const SheetLook& look = {}) {
        auto dialog =
            std::make_unique<frmSet>(look, ini(), nullptr, [this](QWidget*, Colour initial) {
                chooserInitial.push_back(initial);
                return nextChoice;
            });
        QObject::connect(dialog.get(), &frmSet::applied,
                         [this](const SheetLook& l) { appliedLooks.push_back(l); });
        return dialog;
    }

    std::optional<Colour> nextChoice;
    std::vector<Colour> chooserInitial;
    std::vector<SheetLook> appliedLooks;
};

TEST_F(SettingsDialog, apply_on_a_first_run_writes_exactly_its_keys_with_the_defaults) {
    auto dialog = open();
    dialog->cmdMenu(SetButton::Apply)->click();

    EXPECT_EQ(storedKeys(), (std::set<std::string>{"PI", "BackColor", "ForeColor", "FontSize",
                                                   "UnderLine", "LineColor", "VoiceSpeed",
                                                   "VoiceVolume", "VoicePitch", "VoiceOutput"}));
    EXPECT_EQ(stored("VoiceSpeed"), "100");
    EXPECT_EQ(stored("VoiceOutput"), "0");
    EXPECT_EQ(stored("BackColor"), "-2147483643");
    EXPECT_EQ(stored("ForeColor"), "-2147483640");
    EXPECT_EQ(stored("UnderLine"), "-1");
    EXPECT_EQ(stored("PI"), "0");
    EXPECT_EQ(stored("FontSize"), "9");
    ASSERT_EQ(appliedLooks.size(), 1u);
    EXPECT_EQ(appliedLooks[0], SheetLook{});
}

TEST_F(SettingsDialog, keyboard_starts_on_the_first_control_and_tabs_down_to_the_buttons) {
    auto d = open();
    d->show();
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
    const char* order[] = {"chkPI",     "cboOption",  "cmdMenu_3",   "cmdMenu_4",  "chk",
                           "cmdMenu_5", "voiceSpeed", "voiceVolume", "voicePitch", "voiceOutput",
                           "voiceTry",  "cmdMenu_0",  "cmdMenu_1",   "cmdMenu_2",  "chkPI"};
    for (const char* name : order) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        // The editable size field's and the number boxes' own line edits hold the focus.
        if (focus->parentWidget() && (qobject_cast<QComboBox*>(focus->parentWidget()) ||
                                      qobject_cast<QAbstractSpinBox*>(focus->parentWidget())))
            focus = focus->parentWidget();
        EXPECT_EQ(focus->objectName().toStdString(), name);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
}

// The closing row reads OK, 適用, キャンセル from left to right on every desktop, with OK the
// default button.
TEST_F(SettingsDialog, ClosingRowKeepsItsOrderWithOkAsDefault) {
    auto d = open();
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    const std::pair<SetButton, const char*> row[] = {
        {SetButton::Ok, "OK"}, {SetButton::Apply, "適用"}, {SetButton::Cancel, "キャンセル"}};
    int left = -1;
    for (auto [name, caption] : row) {
        SCOPED_TRACE(caption);
        const QPushButton* button = d->cmdMenu(name);
        EXPECT_EQ(u8(button->text()), caption);
        EXPECT_EQ(button->isDefault(), name == SetButton::Ok);
        const int x = button->mapTo(d.get(), QPoint(0, 0)).x();
        EXPECT_GT(x, left);
        left = x;
    }
}

TEST_F(SettingsDialog, opens_from_the_main_window_look_and_the_stored_instance_switch) {
    ASSERT_TRUE(Profile(ini()).write("PI", u"1"));
    struct Row {
        double mainFont;
        const char* field;
    };
    for (Row r : {Row{14, "14"}, Row{10.5, "10"}, Row{11.5, "12"}, Row{9, "9"}}) {
        SCOPED_TRACE(r.mainFont);
        SheetLook look;
        look.fontSize = r.mainFont;
        look.underline = false;
        auto dialog = open(look);
        EXPECT_EQ(u8(dialog->cboOption()->currentText()), r.field);
        EXPECT_TRUE(dialog->chkPI()->isChecked());
        EXPECT_FALSE(dialog->chk()->isChecked());
        EXPECT_EQ(dialog->cboOption()->count(), 6);
    }
}

TEST_F(SettingsDialog, font_size_field_is_applied_as_typed_or_keeps_the_last_valid_size) {
    struct Row {
        const char* typed;
        const char* storedText; // "(absent)" when FontSize must not be written
        double applied;
        const char* fieldAfter;
    };
    const Row rows[] = {
        {"13", "13", 13, "13"},         {"10.5", "10.5", 10.5, "10.5"}, {" 12 ", "12", 12, "12"},
        {"１２", "12", 12, "12"},       {"", "(absent)", 9, "9"},       {"abc", "(absent)", 9, "9"},
        {"0", "(absent)", 9, "9"},      {"-3", "(absent)", 9, "9"},     {"1e1", "(absent)", 9, "9"},
        {"100000", "(absent)", 9, "9"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        QFile::remove(QString::fromStdString(ini().string()));
        appliedLooks.clear();
        auto dialog = open();
        dialog->cboOption()->setCurrentText(QString::fromUtf8(r.typed));
        dialog->apply();
        EXPECT_EQ(stored("FontSize"), r.storedText);
        EXPECT_EQ(stored("BackColor"), "-2147483643"); // the other keys are written regardless
        ASSERT_EQ(appliedLooks.size(), 1u);
        EXPECT_DOUBLE_EQ(appliedLooks[0].fontSize, r.applied);
        EXPECT_EQ(u8(dialog->cboOption()->currentText()), r.fieldAfter);
    }
}

TEST_F(SettingsDialog, invalid_size_after_a_valid_apply_keeps_the_applied_size) {
    auto dialog = open();
    dialog->cboOption()->setCurrentText("11");
    dialog->apply();
    dialog->cboOption()->setCurrentText("big");
    dialog->apply();
    EXPECT_EQ(stored("FontSize"), "11");
    EXPECT_DOUBLE_EQ(appliedLooks.back().fontSize, 11);
    EXPECT_EQ(u8(dialog->cboOption()->currentText()), "11");
}

TEST_F(SettingsDialog, colour_buttons_change_only_the_preview_until_apply) {
    SheetLook look;
    look.lineColor = 0x0000FF; // red
    auto dialog = open(look);

    nextChoice = 0x00FF00; // green for the text
    dialog->cmdMenu(SetButton::ForeColour)->click();
    nextChoice = 0xFFFFAA; // pale cyan for the background
    dialog->cmdMenu(SetButton::BackColour)->click();
    nextChoice = std::nullopt; // the underline chooser is cancelled
    dialog->cmdMenu(SetButton::LineColour)->click();

    EXPECT_EQ(chooserInitial,
              (std::vector<Colour>{kSystemWindowText, kSystemWindowBackground, 0x0000FF}));
    EXPECT_EQ(dialog->preview()->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(dialog->preview()->palette().color(QPalette::Base), QColor(0xAA, 0xFF, 0xFF));
    EXPECT_EQ(dialog->swatch()->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_FALSE(std::filesystem::exists(ini()));
    EXPECT_TRUE(appliedLooks.empty());

    dialog->cmdMenu(SetButton::Apply)->click();
    EXPECT_EQ(stored("ForeColor"), "65280");
    EXPECT_EQ(stored("BackColor"), "16777130");
    EXPECT_EQ(stored("LineColor"), "255");
    EXPECT_EQ(appliedLooks.back().fore, 0x00FF00u);
}

TEST_F(SettingsDialog, unchecked_underline_is_applied_and_written_as_off) {
    auto dialog = open();
    dialog->chk()->setChecked(false);
    dialog->chkPI()->setChecked(true);
    dialog->cmdMenu(SetButton::Apply)->click();
    EXPECT_EQ(stored("UnderLine"), "0");
    EXPECT_EQ(stored("PI"), "1");
    EXPECT_FALSE(appliedLooks.back().underline);
}

TEST_F(SettingsDialog, cancel_keeps_what_was_applied_and_drops_the_rest) {
    auto dialog = open();
    dialog->cboOption()->setCurrentText("12");
    dialog->cmdMenu(SetButton::Apply)->click();
    dialog->cboOption()->setCurrentText("14");
    dialog->chk()->setChecked(false);
    dialog->cmdMenu(SetButton::Cancel)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(stored("FontSize"), "12");
    EXPECT_EQ(stored("UnderLine"), "-1");
    EXPECT_EQ(appliedLooks.size(), 1u);

    auto again = open();
    again->cmdMenu(SetButton::Ok)->click(); // OK applies, then closes
    EXPECT_EQ(again->result(), QDialog::Accepted);
    EXPECT_EQ(appliedLooks.size(), 2u);
}

// Acts on the colour chooser once it is up: adds a custom colour, picks a colour, and confirms
// or cancels. (The chooser is a fresh dialog at each call, often at the same address, so these
// tests answer it themselves rather than through the fixture's guard.)
void answerChooser(bool confirm, const QColor& custom, const QColor& pick) {
    QTimer::singleShot(0, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* chooser = qobject_cast<QColorDialog*>(modal);
        if (!chooser) {
            ADD_FAILURE() << "no colour chooser is open";
            if (modal) modal->close();
            return;
        }
        QColorDialog::setCustomColor(0, custom);
        chooser->setCurrentColor(pick);
        confirm ? chooser->accept() : chooser->reject();
    });
}

TEST(ColourChooser, keeps_custom_colours_only_from_a_confirmed_chooser) {
    resetCustomColors();
    answerChooser(true, QColor(10, 20, 30), QColor(40, 50, 60));
    EXPECT_EQ(ShowColorDialog(nullptr, kSystemWindowText), std::optional<Colour>(0x3C3228u));
    EXPECT_EQ(customColors()[0], 0x1E140Au);

    answerChooser(false, QColor(200, 200, 200), QColor(1, 1, 1));
    EXPECT_EQ(ShowColorDialog(nullptr, 0), std::nullopt);
    EXPECT_EQ(customColors()[0], 0x1E140Au);

    // The next chooser starts from the kept colours, not from the cancelled one's.
    QColor offered;
    QTimer::singleShot(0, [&offered] {
        offered = QColorDialog::customColor(0);
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    ShowColorDialog(nullptr, 0);
    EXPECT_EQ(offered, QColor(10, 20, 30));
    resetCustomColors();
}

// Records what the sample output is given.
class SampleRecorder : public SpeechOutput {
public:
    explicit SampleRecorder(std::vector<std::string>& heard) : heard_(heard) {}
    void play(std::u16string_view phrase) override { heard_.push_back(u8(std::u16string(phrase))); }
    void setVoice(const Voice& v) override {
        heard_.push_back("voice " + std::to_string(v.speed) + " " + std::to_string(v.volume) + " " +
                         std::to_string(v.pitch));
    }

private:
    std::vector<std::string>& heard_;
};

TEST_F(SettingsDialog, voice_shows_the_stored_values_applies_them_and_tries_them_first) {
    ASSERT_TRUE(Profile(ini()).write("VoiceSpeed", u"250"));
    ASSERT_TRUE(Profile(ini()).write("VoiceOutput", u"1"));
    auto dialog = open();
    VoiceGroup* voice = dialog->voice();
    EXPECT_EQ(voice->speed()->value(), 250);
    EXPECT_EQ(voice->output()->currentIndex(), 1);
    EXPECT_EQ(voice->volume()->value(), 100);

    std::vector<VoiceChoice> applied;
    QObject::connect(dialog.get(), &frmSet::voiceApplied,
                     [&](const VoiceChoice& c) { applied.push_back(c); });
    voice->speed()->setValue(400); // beyond the range: its end
    voice->volume()->setValue(40);
    voice->pitch()->setValue(70);
    voice->output()->setCurrentIndex(0);
    dialog->cmdMenu(SetButton::Apply)->click();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], (VoiceChoice{Voice{300, 40, 70}, VoiceOutput::Own}));
    EXPECT_EQ(stored("VoiceSpeed"), "300");
    EXPECT_EQ(stored("VoiceVolume"), "40");
    EXPECT_EQ(stored("VoicePitch"), "70");
    EXPECT_EQ(stored("VoiceOutput"), "0");

    // 試聴 speaks at the values shown, through the output shown; a service that cannot be
    // reached says so in the group.
    std::vector<std::string> heard;
    std::vector<VoiceOutput> opened;
    VoiceGroup group(Settings(ini()), nullptr, [&](VoiceOutput o, std::string& error) {
        opened.push_back(o);
        if (o == VoiceOutput::Service) {
            error = "no service";
            return std::unique_ptr<SpeechOutput>();
        }
        return std::unique_ptr<SpeechOutput>(std::make_unique<SampleRecorder>(heard));
    });
    group.speed()->setValue(150);
    group.trySample()->click();
    group.trySample()->click(); // the same output serves again
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "voice 150 40 70", u8(std::u16string(kVoiceSamplePhrase)),
                         "voice 150 40 70", u8(std::u16string(kVoiceSamplePhrase))}));
    EXPECT_TRUE(group.problem()->isHidden());
    group.output()->setCurrentIndex(1);
    group.trySample()->click();
    EXPECT_EQ(opened, (std::vector<VoiceOutput>{VoiceOutput::Own, VoiceOutput::Service}));
    EXPECT_FALSE(group.problem()->isHidden());
    EXPECT_EQ(group.problem()->text(), voiceServiceProblem());
}

} // namespace
} // namespace quill
