// The load sequence and the close sequence on a program folder of the test's own: what a
// first start shows, what a close writes, and that a close and the next load meet.
#include "main_window_fixture.h"
#include "settings/profile.h"
#include "settings/settings.h"
#include "window/program_life.h"
#include "window/quit_signals.h"

#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <csignal>
#include <fstream>
#include <set>
#include <sstream>
#include <type_traits>
#include <variant>

namespace quill::test {
namespace {

// A speech instance that counts its own release.
class CountedSpeech : public SpeechOutput {
public:
    explicit CountedSpeech(int& released) : released_(released) {}
    ~CountedSpeech() override { ++released_; }
    void play(std::u16string_view) override {}

private:
    int& released_;
};

// Everything a close stores and a load restores, one line per item, so that a failing
// comparison names the item.
std::vector<std::string> restoredState(const frmMain& w) {
    std::vector<std::string> lines;
    auto add = [&lines](const std::string& name, const auto& value) {
        std::ostringstream out;
        out << name << " = " << value;
        lines.push_back(out.str());
    };
    using enum ViewItem;
    for (ViewItem i : {StatusBar, Centre, OnTop, SizeSmall, SizeMedium, HideKeypad, GroupThree,
                       GroupFour, GroupUnits})
        add("view " + std::to_string(itemIndex(i)), w.mnuViewItem().isChecked(i));
    for (OptItem i :
         {OptItem::RecalcOnEnter, OptItem::RecalcOnEveryInput, OptItem::Talk, OptItem::KeepSheet})
        add("options " + std::to_string(itemIndex(i)), w.mnuOptItem().isChecked(i));
    add("state", int(w.windowState()));
    add("pos", std::to_string(w.x()) + "," + std::to_string(w.y()));
    add("size", std::to_string(w.width()) + "x" + std::to_string(w.height()));
    add("divider", w.pic(1)->x());
    add("alpha", w.windowAlpha());
    add("keypad hidden", w.pic(0)->isHidden());
    add("status bar hidden", w.st()->isHidden());
    for (const KeypadButton* b : w.keypad()->buttons())
        add("button " + b->objectName().toStdString(),
            std::to_string(int(b->twipPos().left)) + "," + std::to_string(int(b->twipPos().top)));
    return lines;
}

std::set<std::string> keysIn(const std::filesystem::path& file) {
    std::set<std::string> keys;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (auto eq = line.find('='); eq != std::string::npos) keys.insert(line.substr(0, eq));
    return keys;
}

class LoadAndClose : public MainWindowTest {
protected:
    // A start without writing any file first.
    frmMain& start(std::unique_ptr<SpeechOutput> speech = nullptr) {
        window_ = std::make_unique<frmMain>(std::move(speech));
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }
    void closeWindow() {
        window_->close();
        QCoreApplication::processEvents();
    }
    Settings settings() const { return Settings(iniFile()); }
};

TEST_F(LoadAndClose, a_first_start_reads_defaults_and_writes_nothing) {
    start();
    EXPECT_FALSE(std::filesystem::exists(iniFile())) << "loading must not write the file";
    EXPECT_EQ(w().pos(), QPoint(0, 0));
    EXPECT_EQ(w().size(), QSize(432, 362)) << "6475 x 5430 twips";
    EXPECT_TRUE(w().st()->isVisible());
    EXPECT_TRUE(w().pic(2)->isVisible());
    EXPECT_TRUE(w().hooksInstalled());
    using enum ViewItem;
    for (ViewItem item : {Centre, OnTop, HideKeypad, GroupThree, GroupFour, GroupUnits})
        EXPECT_FALSE(w().mnuViewItem().isChecked(item)) << "view item " << itemIndex(item);
    EXPECT_FALSE(w().mnuOptItem().at(OptItem::Talk)->isEnabled()) << "no speech instance";
}

TEST_F(LoadAndClose, a_close_writes_every_key_and_the_next_start_reads_the_same_state) {
    open("X=1500\nY=750\nW=9000\nH=7500\nSplit=420\nketa=4\nReCalc=-1\nBtnSize=5\nTop=-1\n"
         "BtnView=-1\nStatus=0\nTransparency=200\nNumPos=30,45\n",
         QSize());
    // Changes made while running: a button dragged, grouping and recalculation switched.
    w().cmdOp(OpKey::Minus)->moveTwips({1500, 600});
    w().mnuViewItem_Click(ViewItem::GroupUnits);
    w().mnuOptItem_Click(OptItem::RecalcOnEnter);
    w().mnuOptItem_Click(OptItem::KeepSheet);
    w().resize(620, 480);
    QCoreApplication::processEvents();
    const std::vector<std::string> before = restoredState(w());
    closeWindow();

    EXPECT_EQ(keysIn(iniFile()),
              (std::set<std::string>{"X", "Y", "W", "H", "WinState", "Split", "keta", "ReCalc",
                                     "Talk", "BtnSize", "Top", "Center", "BtnView", "Status",
                                     "Transparency", "NumPos", "MenuPos", "OpPos", "KeepSheet"}));
    window_.reset();
    start();
    EXPECT_EQ(restoredState(w()), before);
}

// Every check mark of the View and Options menus, by element index.
std::vector<std::string> checkMarks(const frmMain& w) {
    std::vector<std::string> marks;
    for (const MenuItems* menu : {static_cast<const MenuItems*>(&w.mnuViewItem()),
                                  static_cast<const MenuItems*>(&w.mnuOptItem())})
        for (const auto& [index, action] : menu->items)
            if (action->isCheckable())
                marks.push_back(menu->menu->objectName().toStdString() + " " +
                                std::to_string(index) + (action->isChecked() ? " on" : " off"));
    return marks;
}

template <class Item>
int checkedAmong(const MenuArray<Item>& menu, std::initializer_list<Item> items) {
    int checked = 0;
    for (Item item : items) checked += menu.isChecked(item) ? 1 : 0;
    return checked;
}

// Each option switched through its own menu item, one after another: after every switch a
// close writes the option's key, the next start shows the same marks, and neither exclusive
// group ever shows two marks.
TEST_F(LoadAndClose, options_switched_through_their_items_are_written_and_read_back) {
    writeIni("[Calc]\nStatus=-1\nCenter=0\nTop=0\nBtnView=0\nketa=0\nReCalc=0\nTalk=0\n"
             "BtnSize=4\nKeepSheet=-1\n");
    auto startTalking = [this] { start(std::make_unique<RecordingSpeech>(spoken_)); };
    struct Step {
        std::variant<ViewItem, OptItem> item;
        const char* key;
        const char16_t* stored;
    } steps[] = {
        {ViewItem::StatusBar, "Status", u"0"},
        {ViewItem::Centre, "Center", u"-1"},
        {ViewItem::OnTop, "Top", u"-1"},
        {ViewItem::HideKeypad, "BtnView", u"-1"},
        {ViewItem::SizeMedium, "BtnSize", u"5"},
        {ViewItem::SizeMedium, "BtnSize", u"5"}, // the chosen size again stays chosen
        {ViewItem::SizeSmall, "BtnSize", u"4"},
        {ViewItem::GroupThree, "keta", u"3"},
        {ViewItem::GroupFour, "keta", u"4"},
        {ViewItem::GroupUnits, "keta", u"1"},
        {ViewItem::GroupUnits, "keta", u"0"}, // the checked grouping again: none
        {OptItem::RecalcOnEnter, "ReCalc", u"1"},
        {OptItem::RecalcOnEveryInput, "ReCalc", u"-1"},
        {OptItem::RecalcOnEveryInput, "ReCalc", u"0"},
        {OptItem::Talk, "Talk", u"-1"},
        {OptItem::KeepSheet, "KeepSheet", u"0"},
        {ViewItem::StatusBar, "Status", u"-1"},
    };
    startTalking();
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " = " + QString::fromUtf16(step.stored).toStdString());
        std::visit(
            [this](auto item) {
                if constexpr (std::is_same_v<decltype(item), ViewItem>)
                    w().mnuViewItem_Click(item);
                else
                    w().mnuOptItem_Click(item);
            },
            step.item);
        using enum ViewItem;
        EXPECT_EQ(checkedAmong(w().mnuViewItem(), {SizeSmall, SizeMedium}), 1);
        EXPECT_LE(checkedAmong(w().mnuViewItem(), {GroupThree, GroupFour, GroupUnits}), 1);
        EXPECT_LE(
            checkedAmong(w().mnuOptItem(), {OptItem::RecalcOnEnter, OptItem::RecalcOnEveryInput}),
            1);
        const std::vector<std::string> marks = checkMarks(w());
        closeWindow();
        EXPECT_EQ(Profile(iniFile()).readRaw(step.key), std::u16string(step.stored));
        window_.reset();
        startTalking();
        EXPECT_EQ(checkMarks(w()), marks);
    }
}

TEST_F(LoadAndClose, a_bad_entry_stops_the_load_and_the_close_repairs_the_list) {
    struct Row {
        const char* name;
        std::string ini;
        KeyArray array;
        int bad;
    };
    const Row rows[] = {
        {"third OpPos pair", "OpPos=150,300|165,330|x|600,600\n", KeyArray::Op, 2},
        {"NumPos pair without comma, MenuPos after it not read", "NumPos=15,30|45\nMenuPos=60,90\n",
         KeyArray::Num, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open(row.ini);
        EXPECT_FALSE(w().hooksInstalled());
        const std::vector<int>& indices = keyIndices(row.array);
        const KeypadButton* first = w().keypad()->button(row.array, indices[0]);
        EXPECT_NE(first->twipPos().left, 0) << "pairs before the bad one are applied";
        EXPECT_EQ(w().cmdMenu(MenuKey::Back)->twipPos().left, 120)
            << "MenuPos after a bad NumPos stays";

        // Without the scroll links the results column does not follow the sheet.
        setSheet(QString("1\n").repeated(300), 0);
        w().calculate();
        w().sheet()->verticalScrollBar()->setValue(100);
        EXPECT_EQ(w().resultsColumn()->verticalScrollBar()->value(), 0);
        // Without the menu help, highlighting an item leaves the status bar alone.
        w().setStatusText("x");
        emit w().mnuViewItem().menu->hovered(w().mnuViewItem().at(ViewItem::StatusBar));
        EXPECT_EQ(w().statusText(), "x");

        closeWindow();
        const PositionListRead stored = readPositionList(
            row.array == KeyArray::Op ? settings().opPos() : settings().numPos(), indices.size());
        EXPECT_FALSE(stored.badPair);
        EXPECT_EQ(stored.positions.size(), indices.size());
        window_.reset();
        start();
        EXPECT_TRUE(w().hooksInstalled()) << "the repaired file loads to the end";
        window_.reset();
    }
}

TEST_F(LoadAndClose, centring_applies_to_a_normal_window_only) {
    for (bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "WinState 2" : "WinState 0");
        open(std::string("Center=-1\nX=1500\nY=1500\nSplit=500\nWinState=") +
                 (maximised ? "2\n" : "0\n"),
             QSize());
        EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::Centre));
        EXPECT_EQ(w().isMaximized(), maximised);
        const QRect screen = w().screen()->geometry();
        if (!maximised) {
            EXPECT_EQ(w().pos(), QPoint((screen.width() - 432) / 2, (screen.height() - 362) / 2));
        } else {
            EXPECT_EQ(w().pic(1)->x(), 500) << "divider in the maximised width";
        }
        closeWindow();
        // The stored rectangle of a maximised window stays the one of its last normal exit.
        if (maximised) {
            EXPECT_EQ(Profile(iniFile()).readInt("Split", 0), 500) << "no drift at each start";
            const WindowPlacement placement = LoadWindowPos(settings());
            EXPECT_EQ(placement.state, WindowState::Maximised);
            EXPECT_EQ(Profile(iniFile()).readInt("X", 0), 1500);
        }
        window_.reset();
    }
}

TEST_F(LoadAndClose, the_speech_instance_is_released_at_close_only_when_there_is_one) {
    int released = 0;
    writeIni("[Calc]\nTalk=-1\n");
    start(std::make_unique<CountedSpeech>(released));
    EXPECT_TRUE(w().mnuOptItem().at(OptItem::Talk)->isEnabled());
    EXPECT_EQ(released, 0);
    closeWindow();
    EXPECT_EQ(released, 1);
    window_.reset();
    EXPECT_EQ(released, 1);

    start(nullptr);
    EXPECT_FALSE(w().mnuOptItem().at(OptItem::Talk)->isEnabled());
    EXPECT_TRUE(w().mnuOptItem().isChecked(OptItem::Talk)) << "checked but disabled";
    closeWindow();
    EXPECT_TRUE(settings().talk()) << "the check mark is kept for a start with speech";
}

TEST_F(LoadAndClose, dialogs_close_with_the_window_and_it_stays_closed) {
    open();
    w().showFormulaPicker();
    QWidget* picker = w().findChild<QDialog*>();
    ASSERT_TRUE(picker && picker->isVisible());
    expectModal([this](QWidget*) { w().close(); });
    w().showSettingsDialog();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w().isVisible()) << "the settings dialog's end must not show it again";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (QDialog* d : w().findChildren<QDialog*>())
        EXPECT_FALSE(d->isVisible()) << d->metaObject()->className();
    EXPECT_TRUE(std::filesystem::exists(iniFile()));
}

TEST_F(LoadAndClose, the_underline_setting_one_stays_visible_below_the_view) {
    for (const auto& [value, visible] : {std::pair{"-1", false}, std::pair{"1", true}}) {
        SCOPED_TRACE(value);
        open(std::string("UnderLine=") + value + "\n");
        setSheet(QString("1\n").repeated(200)); // caret on the last line
        w().sheet()->verticalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        EXPECT_EQ(w().pic(2)->isVisible(), visible);
        window_.reset();
    }
}

TEST_F(LoadAndClose, a_second_start_brings_the_window_forward_unless_in_move_mode) {
    for (bool moveMode : {false, true}) {
        SCOPED_TRACE(moveMode ? "move mode" : "plain caption");
        open();
        if (moveMode) w().mnuViewItem_Click(ViewItem::MoveMode);
        w().showMinimized();
        QCoreApplication::processEvents();
        w().answerSecondStart();
        EXPECT_EQ(w().isMinimized(), moveMode);
        window_.reset();
    }
}

TEST_F(LoadAndClose, a_quit_signal_closes_the_window_through_the_close_sequence) {
    open("Transparency=99\n");
    QuitSignals quitSignals;
    closeWithTheProgram(w(), quitSignals);
    QSignalSpy quit(&quitSignals, &QuitSignals::quitRequested);
    std::raise(SIGTERM);
    ASSERT_TRUE(quit.wait(2000));
    EXPECT_FALSE(w().isVisible());
    EXPECT_EQ(settings().transparency(), 99);
    EXPECT_TRUE(keysIn(iniFile()).count("OpPos"));
}

} // namespace
} // namespace quill::test
