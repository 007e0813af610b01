#pragma once
// The user-defined formula dialog "ユーザー定義式", in two modes. Editing (modal, from the Options
// menu): add, change, delete and rename formulas, stored by Apply. Picking (modeless, from the
// Function menu and Ctrl+Space): placed under the sheet's caret; a double-click or Enter on a
// formula inserts it into the sheet, wrapping the selection at its "[sel]" gap, and closes the
// dialog. Every opening reads the list from the settings file afresh.
#include "formulas/formula_list.h"

#include <QDialog>
#include <QPointer>
#include <filesystem>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quill {

enum class FormulaMode { Editing, Picking };

// Line breaks: CR LF in formula texts (as stored), LF alone in the sheet and the formula box.
QString formulaLineBreaks(QString text);
QString sheetLineBreaks(QString text);

// Inserts a formula into the sheet: without a "[sel]" gap (any letter case) it replaces the
// selection; with one, the selected text goes into the first gap (an empty selection leaves
// the gap out). CR LF line breaks become sheet lines. One undoable step, caret after the text.
void insertFormula(QPlainTextEdit* sheet, const QString& formulaText);

// The encoding the settings file keeps: code page 932 for an existing file that is not UTF-8
// (one carried over from a Japanese Windows system), else UTF-8.
enum class StoredEncoding { Utf8, Cp932 };
StoredEncoding settingsFileEncoding(const std::filesystem::path& iniFile);

// Whether a list survives being stored and read back unchanged: no name or text holds the
// stored form's separators, every character has a code in the file's encoding, and the stored
// value fits the settings file's read limit in that encoding.
bool storable(const std::vector<Formula>& formulas, StoredEncoding encoding = StoredEncoding::Utf8);
// Why it does not, as the dialog says it (in Japanese); empty when it does.
QString whyNotStorable(const std::vector<Formula>& formulas,
                       StoredEncoding encoding = StoredEncoding::Utf8);

// The dialog's buttons by name; each value is the button's index in the design, which its
// object name carries ("cmdMenu_4").
enum class FormulaButton {
    Ok = 0,
    Apply = 1,
    Cancel = 2,
    Add = 4,
    Edit = 5,
    Delete = 6,
    Clear = 7
};

class frmFormula : public QDialog {
    Q_OBJECT
public:
    // `sheet` receives insertions in picking mode (and places the dialog under its caret).
    frmFormula(FormulaMode mode, std::filesystem::path iniFile, QWidget* owner = nullptr,
               QPlainTextEdit* sheet = nullptr);

    FormulaMode mode() const { return mode_; }

    // The dialog's design unit.
    static constexpr int twipsToPixels(int twips) { return (twips + 7) / 15; }
    static constexpr int kClientWidth = 5175; // twips, at first
    static constexpr int kClientHeight = 3765;
    static constexpr int kColumnWidth = 2540; // each list column, at first

    // The rows, in list order.
    std::vector<Formula> formulas() const;

    // The commands. Each does nothing when it cannot act: no name, no selected row, or a row
    // that could not be stored and read back unchanged (the dialog then says why, below the
    // buttons).
    void addFormula();     // 追加
    void editFormula();    // 編集
    void deleteFormula();  // 削除
    void clearBoxes();     // クリア
    void apply();          // 適用
    void insertSelected(); // picking mode: the selected row into the sheet, then close

    QTreeWidget* lv() const { return lv_; }
    QLineEdit* nameBox() const { return name_; }      // txt 0
    QPlainTextEdit* textBox() const { return text_; } // txt 1
    QLabel* label(int index) const { return labels_[index == 0 ? 0 : 1]; }
    // Why the last command refused its entry; empty after one that acted.
    QLabel* reasonLabel() const { return reason_; }
    QPushButton* cmdMenu(FormulaButton b) const { return buttons_[static_cast<int>(b)]; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildControls();
    void setUpMode();
    QWidget* owner() const;
    void loadList();
    void layoutControls();
    void placeUnderCaret();
    void showRow(QTreeWidgetItem* row);
    void renamed(QTreeWidgetItem* row, int column);
    QTreeWidgetItem* selectedRow() const;
    QTreeWidgetItem* makeRow(const Formula& f);
    void setRow(QTreeWidgetItem* row, const Formula& f);
    Formula boxes() const;
    void colourFocus(int box, bool focused);
    bool refused(const std::vector<Formula>& list);

    FormulaMode mode_;
    std::filesystem::path iniFile_;
    StoredEncoding encoding_ = StoredEncoding::Utf8;
    QPointer<QPlainTextEdit> sheet_;
    QTreeWidget* lv_ = nullptr;
    QWidget* panel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QLabel* labels_[2] = {};
    QLabel* reason_ = nullptr;
    QPushButton* buttons_[8] = {};
};

// The Function menu's "ユーザ定義式..." and Ctrl+Space: brings an open picker forward as it is
// (its list is not read again), or opens a new one over `owner` that frees itself on closing.
frmFormula* showFormulaPicker(QWidget* owner, QPlainTextEdit* sheet, QPointer<frmFormula>& picker,
                              const std::filesystem::path& ini);

// The Options menu's "ユーザ定義式(&U)...": closes an open picker (the two modes never share the
// screen), then runs the editing dialog modally.
void runFormulaEditor(QWidget* owner, QPointer<frmFormula>& picker,
                      const std::filesystem::path& ini);

} // namespace quill
