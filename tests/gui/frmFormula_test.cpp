// The user-defined formula dialog: insertion with the "[sel]" gap, the editing commands and
// their storage through Apply and Cancel, the picking mode and its placement.
#include "dialogs/frmFormula.h"
#include "gui_fixture.h"
#include "settings/profile.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace quill {
namespace {

std::string u8(const QString& s) {
    return s.toStdString();
}

void select(QPlainTextEdit& sheet, int anchor, int position) {
    QTextCursor c = sheet.textCursor();
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    sheet.setTextCursor(c);
}

TEST(FormulaInsertion, fills_the_first_gap_with_the_selection) {
    struct Row {
        const char* name;
        const char* formula;
        const char* sheet;
        int anchor, position;
        const char* expected;
        int caret;
    };
    const Row rows[] = {
        {"selection wrapped", "([sel])*2", "12+3", 0, 4, "(12+3)*2", 8},
        {"no selection leaves the gap out", "([sel])*2", "", 0, 0, "()*2", 4},
        {"gap in capitals", "[SEL]*1.1", "5", 0, 1, "5*1.1", 5},
        {"gap in mixed case, caret mid-line", "x[Sel]y", "a+b", 2, 2, "a+xyb", 4},
        {"no gap replaces the selection", "3.14", "r*r", 0, 1, "3.14*r", 4},
        {"only the first gap is filled", "[sel]+[sel]", "7", 0, 1, "7+[sel]", 7},
        {"selection made backwards", "-([sel])", "1+2", 3, 0, "-(1+2)", 6},
        {"two-line formula adds sheet lines", "[sel]\r\n* 2", "9", 0, 1, "9\n* 2", 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QPlainTextEdit sheet;
        sheet.setPlainText(QString::fromUtf8(r.sheet));
        select(sheet, r.anchor, r.position);
        insertFormula(&sheet, QString::fromUtf8(r.formula));
        EXPECT_EQ(u8(sheet.toPlainText()), r.expected);
        EXPECT_EQ(sheet.textCursor().position(), r.caret);
        sheet.undo();
        EXPECT_EQ(u8(sheet.toPlainText()), r.sheet); // one undoable step
    }
}

TEST(FormulaStorable, refuses_lists_the_stored_form_cannot_keep) {
    struct Row {
        const char* name;
        std::u16string formulaName, text;
        bool utf8, cp932; // storable in a UTF-8 file, in a code page 932 file
    };
    const std::u16string longText(700, u'式'); // 2100 bytes in UTF-8, 1400 in code page 932
    const Row rows[] = {
        {"plain", u"税込", u"[sel]*1.1", true, true},
        {"line breaks", u"二行", u"1\r\n2", true, true},
        {"empty text", u"空", u"", true, true},
        {"name with the name separator", u"a||b", u"1", false, false},
        {"name ending in a bar", u"a|", u"1", false, false},
        {"text with the record separator", u"a", u"1|\\n|2", false, false},
        {"text with the stored break", u"a", u"1|r|2", false, false},
        {"long text fits only in code page 932", u"long", longText, false, true},
        {"character without a code page 932 code", u"絵", u"\U0001F600", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(storable({{r.formulaName, r.text}}, StoredEncoding::Utf8), r.utf8);
        EXPECT_EQ(storable({{r.formulaName, r.text}}, StoredEncoding::Cp932), r.cp932);
    }
}

class FormulaDialog : public test::GuiTest {
protected:
    std::filesystem::path ini() const { return iniFile(); }
    std::string storedFormula() const {
        auto value = Profile(ini()).readRaw("Formula");
        return value ? u8(QString::fromStdU16String(*value)) : "(absent)";
    }
    void store(std::u16string_view value) { ASSERT_TRUE(Profile(ini()).write("Formula", value)); }

    void type(frmFormula& d, const QString& name, const QString& text) {
        d.nameBox()->setText(name);
        d.textBox()->setPlainText(text);
    }
    std::vector<std::string> names(const frmFormula& d) const {
        std::vector<std::string> out;
        for (const Formula& f : d.formulas()) out.push_back(u8(QString::fromStdU16String(f.name)));
        return out;
    }
    void selectRow(frmFormula& d, int row) { d.lv()->setCurrentItem(d.lv()->topLevelItem(row)); }
};

TEST_F(FormulaDialog, added_formulas_are_stored_by_apply_in_list_order) {
    frmFormula d(FormulaMode::Editing, ini());
    type(d, "税込", "[sel]*1.1");
    d.cmdMenu(FormulaButton::Add)->click();
    EXPECT_TRUE(d.nameBox()->text().isEmpty());
    EXPECT_TRUE(d.textBox()->toPlainText().isEmpty());
    type(d, "平方", "[sel]^2");
    d.cmdMenu(FormulaButton::Add)->click();
    EXPECT_EQ(storedFormula(), "(absent)"); // nothing is stored before Apply

    d.cmdMenu(FormulaButton::Apply)->click();
    EXPECT_EQ(storedFormula(), "税込||[sel]*1.1|\\n|平方||[sel]^2");

    frmFormula reopened(FormulaMode::Picking, ini());
    EXPECT_EQ(names(reopened), (std::vector<std::string>{"税込", "平方"}));
}

TEST_F(FormulaDialog, two_line_formula_keeps_its_line_break_through_the_file) {
    frmFormula d(FormulaMode::Editing, ini());
    type(d, "二行", "1\n2");
    d.cmdMenu(FormulaButton::Add)->click();
    d.cmdMenu(FormulaButton::Ok)->click(); // OK applies and closes
    EXPECT_EQ(storedFormula(), "二行||1|r|2");
    EXPECT_EQ(d.result(), QDialog::Accepted);

    frmFormula reopened(FormulaMode::Editing, ini());
    ASSERT_EQ(reopened.formulas().size(), 1u);
    EXPECT_EQ(reopened.formulas()[0].text, u"1\r\n2");
    selectRow(reopened, 0);
    EXPECT_EQ(u8(reopened.textBox()->toPlainText()), "1\n2");
}

TEST_F(FormulaDialog, cancel_after_adds_leaves_the_file_unchanged) {
    store(u"a||1");
    frmFormula d(FormulaMode::Editing, ini());
    type(d, "b", "2");
    d.cmdMenu(FormulaButton::Add)->click();
    selectRow(d, 0);
    d.cmdMenu(FormulaButton::Delete)->click();
    d.cmdMenu(FormulaButton::Cancel)->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(storedFormula(), "a||1");
}

TEST_F(FormulaDialog, commands_do_nothing_when_they_cannot_act) {
    store(u"a||1|\\n|b||2");
    frmFormula d(FormulaMode::Editing, ini());

    type(d, "", "3");
    d.cmdMenu(FormulaButton::Add)->click(); // no name
    type(d, "x||y", "3");
    d.cmdMenu(FormulaButton::Add)->click(); // a name the file cannot keep
    d.lv()->clearSelection();
    type(d, "c", "3");
    d.cmdMenu(FormulaButton::Edit)->click(); // no selected row
    d.cmdMenu(FormulaButton::Delete)->click();
    EXPECT_EQ(names(d), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(u8(d.nameBox()->text()), "c");

    d.cmdMenu(FormulaButton::Clear)->click();
    EXPECT_TRUE(d.nameBox()->text().isEmpty());
    EXPECT_TRUE(d.textBox()->toPlainText().isEmpty());
}

TEST_F(FormulaDialog, a_refused_entry_says_why) {
    struct Row {
        const char* name;
        std::string file; // setting.ini as stored
        QString formulaName, text;
        QString reason;
    };
    const QString separators = "式名と式には「||」「|\\n|」「|r|」を使えません";
    const Row rows[] = {
        {"name separator", "", "a||b", "1", separators},
        {"record separator in the text", "", "a", "1|\\n|2", separators},
        {"stored break in the text", "", "a", "1|r|2", separators},
        {"list past the read limit", "", "long", QString(700, u'式'),
         "式の一覧が長すぎて保存できません（2047バイトまで）"},
        {"character without a code page 932 code", "[Calc]\nFormula=\x90\xc5||1\n", "絵",
         QString::fromUtf16(u"1\U0001F600"),
         QString::fromUtf16(u"「\U0001F600」は設定ファイル（Shift_JIS）に保存できない文字です")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        writeIni(r.file);
        frmFormula d(FormulaMode::Editing, ini());
        const size_t before = d.formulas().size();
        type(d, r.formulaName, r.text);
        d.cmdMenu(FormulaButton::Add)->click();
        EXPECT_EQ(d.formulas().size(), before);
        EXPECT_EQ(d.reasonLabel()->text(), r.reason);
        type(d, "ok", "1");
        d.cmdMenu(FormulaButton::Add)->click();
        EXPECT_EQ(d.formulas().size(), before + 1);
        EXPECT_TRUE(d.reasonLabel()->text().isEmpty()) << "an entry that is taken clears it";
    }
}

TEST_F(FormulaDialog, file_carried_over_in_code_page_932_limits_what_can_be_added) {
    EXPECT_EQ(settingsFileEncoding(ini()), StoredEncoding::Utf8); // no file yet
    writeIni("[Calc]\nFormula=\x90\xc5\x8d\x9e||[sel]*1.1\n");    // 税込 in code page 932
    ASSERT_EQ(settingsFileEncoding(ini()), StoredEncoding::Cp932);
    writeIni("[Calc]\nFormula=\xc3\xbd||[sel]*2\n"); // ﾃｽ in code page 932, also valid UTF-8
    EXPECT_EQ(settingsFileEncoding(ini()), StoredEncoding::Cp932)
        << "the dialog decides as the settings file does";
    writeIni("[Calc]\nFormula=\x90\xc5\x8d\x9e||[sel]*1.1\n");
    frmFormula d(FormulaMode::Editing, ini());
    ASSERT_EQ(names(d), (std::vector<std::string>{"税込"}));

    type(d, "絵", QString::fromUtf16(u"\U0001F600"));
    d.cmdMenu(FormulaButton::Add)->click(); // would come back as "?"
    type(d, "倍", "[sel]*2");
    d.cmdMenu(FormulaButton::Add)->click();
    EXPECT_EQ(names(d), (std::vector<std::string>{"税込", "倍"}));
}

TEST_F(FormulaDialog, row_click_edit_and_delete_work_on_the_selected_row) {
    store(u"a||1|\\n|b||2|\\n|c||3");
    frmFormula d(FormulaMode::Editing, ini());
    selectRow(d, 1);
    EXPECT_EQ(u8(d.nameBox()->text()), "b");
    EXPECT_EQ(u8(d.textBox()->toPlainText()), "2");

    type(d, "B", "[sel]*2");
    d.cmdMenu(FormulaButton::Edit)->click();
    EXPECT_EQ(d.formulas()[1], (Formula{u"B", u"[sel]*2"}));
    EXPECT_EQ(u8(d.nameBox()->text()), "B"); // the boxes keep their text

    d.cmdMenu(FormulaButton::Delete)->click();
    EXPECT_EQ(names(d), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(d.nameBox()->text().isEmpty());
}

TEST_F(FormulaDialog, names_renamed_in_place_are_kept_unless_empty) {
    store(u"a||1");
    frmFormula d(FormulaMode::Editing, ini());
    QTreeWidgetItem* row = d.lv()->topLevelItem(0);
    EXPECT_TRUE(row->flags() & Qt::ItemIsEditable);
    row->setText(0, "消費税");
    EXPECT_EQ(names(d), (std::vector<std::string>{"消費税"}));
    row->setText(0, "");
    EXPECT_EQ(names(d), (std::vector<std::string>{"消費税"}));
    row->setText(0, "p||q");
    EXPECT_EQ(names(d), (std::vector<std::string>{"消費税"}));
    d.apply();
    EXPECT_EQ(storedFormula(), "消費税||1");
}

TEST_F(FormulaDialog, picking_mode_previews_and_inserts_then_closes) {
    store(u"税込||([sel])*1.1|\\n|円||[sel]円");
    QPlainTextEdit sheet;
    sheet.setPlainText("100+20");
    sheet.selectAll();
    frmFormula d(FormulaMode::Picking, ini(), nullptr, &sheet);
    using enum FormulaButton;
    for (FormulaButton b : {Ok, Apply, Add, Edit, Delete})
        EXPECT_FALSE(d.cmdMenu(b)->isEnabled()) << static_cast<int>(b);
    EXPECT_FALSE(d.nameBox()->isEnabled());
    EXPECT_TRUE(d.textBox()->isReadOnly());
    EXPECT_EQ(d.lv()->editTriggers(), QAbstractItemView::NoEditTriggers);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.textBox()->geometry(), QRect(0, 0, d.width(), 64)); // fills the 960-twip panel

    // It opens on its first formula, previewed.
    EXPECT_EQ(d.lv()->selectedItems().value(0), d.lv()->topLevelItem(0));
    EXPECT_EQ(u8(d.textBox()->toPlainText()), "([sel])*1.1");
    d.lv()->clearSelection();
    d.lv()->setFocus();
    QTest::keyClick(d.lv(), Qt::Key_Return); // nothing selected
    EXPECT_TRUE(d.isVisible());
    const QRect rowRect = d.lv()->visualItemRect(d.lv()->topLevelItem(0));
    QTest::mouseClick(d.lv()->viewport(), Qt::LeftButton, {}, rowRect.center());
    QTest::mouseDClick(d.lv()->viewport(), Qt::LeftButton, {}, rowRect.center());
    EXPECT_EQ(u8(sheet.toPlainText()), "(100+20)*1.1");
    EXPECT_FALSE(d.isVisible());
}

TEST_F(FormulaDialog, enter_in_the_list_inserts_only_in_picking_mode) {
    store(u"円||[sel]円");
    QPlainTextEdit sheet;
    sheet.setPlainText("5");
    frmFormula editor(FormulaMode::Editing, ini(), nullptr, &sheet);
    selectRow(editor, 0);
    QTest::keyClick(editor.lv(), Qt::Key_Return);
    EXPECT_EQ(u8(sheet.toPlainText()), "5");

    QTextCursor c = sheet.textCursor();
    c.movePosition(QTextCursor::End);
    sheet.setTextCursor(c);
    frmFormula picker(FormulaMode::Picking, ini(), nullptr, &sheet);
    selectRow(picker, 0);
    // The release inserts, so that it does not reach the sheet once the picker has closed.
    QTest::keyPress(picker.lv(), Qt::Key_Enter);
    EXPECT_EQ(u8(sheet.toPlainText()), "5");
    QTest::keyRelease(picker.lv(), Qt::Key_Enter);
    EXPECT_EQ(u8(sheet.toPlainText()), "5円");
}

TEST_F(FormulaDialog, open_picker_is_brought_forward_without_reading_the_list_again) {
    store(u"a||1");
    QWidget owner;
    QPlainTextEdit sheet(&owner);
    owner.show();
    QPointer<frmFormula> picker;
    frmFormula* first = showFormulaPicker(&owner, &sheet, picker, ini());
    store(u"a||1|\\n|b||2");
    EXPECT_EQ(showFormulaPicker(&owner, &sheet, picker, ini()), first);
    EXPECT_EQ(first->formulas().size(), 1u);

    first->close(); // frees itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(picker.isNull());
    frmFormula* second = showFormulaPicker(&owner, &sheet, picker, ini());
    EXPECT_EQ(second->formulas().size(), 2u);
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(FormulaDialog, picker_opens_under_the_caret_line) {
    QWidget owner;
    owner.setGeometry(200, 150, 400, 300);
    QPlainTextEdit sheet(&owner);
    sheet.setGeometry(0, 0, 400, 300);
    sheet.setPlainText("1\n2\n3");
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QTextCursor c = sheet.textCursor();
    c.movePosition(QTextCursor::End);
    sheet.setTextCursor(c);

    frmFormula d(FormulaMode::Picking, ini(), &owner, &sheet);
    const QRect caret = sheet.cursorRect();
    const QPoint caretBottom = sheet.viewport()->mapToGlobal(caret.bottomLeft());
    EXPECT_GT(d.pos().y(), caretBottom.y());
    EXPECT_LE(d.pos().y(), caretBottom.y() + 2);
    EXPECT_EQ(d.pos().x(), caretBottom.x() - 100);
}

} // namespace
} // namespace quill
