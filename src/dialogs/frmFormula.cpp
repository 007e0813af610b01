#include "dialogs/frmFormula.h"

#include "dialogs/dialog_buttons.h"
#include "settings/settings.h"
#include "widgets/redo_key.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace quill {

namespace {

constexpr int kFormulaRole = Qt::UserRole;      // column 1: the formula text, CR LF breaks
constexpr int kLastNameRole = Qt::UserRole + 1; // column 0: the name before in-place editing

constexpr ButtonText<FormulaButton> kButtons[] = {
    {FormulaButton::Add, u"追加", u"式を新規登録"},
    {FormulaButton::Edit, u"編集", u"選択している式を入力した内容に変更"},
    {FormulaButton::Delete, u"削除", u"選択している式を削除"},
    {FormulaButton::Clear, u"クリア", u"テキストボックスの内容をクリアします"},
    {FormulaButton::Ok, u"OK", u"設定を保存して閉じる"},
    {FormulaButton::Apply, u"適用", u"設定を保存"},
    {FormulaButton::Cancel, u"キャンセル", u"設定を保存せず閉じる"},
};

QString qs(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

// One line per row in the list; the full text is kept in the item.
QString listText(const QString& formula) {
    return sheetLineBreaks(formula).replace(u'\n', u'↵');
}

// Grid lines between the cells; only the name column is edited in place.
class FormulaListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 0) return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
};

} // namespace

frmFormula::frmFormula(FormulaMode mode, std::filesystem::path iniFile, QWidget* owner,
                       QPlainTextEdit* sheet)
    : QDialog(owner), mode_(mode), iniFile_(std::move(iniFile)), sheet_(sheet) {
    setWindowTitle(QStringLiteral("ユーザー定義式"));
    resize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    buildControls();
    setUpMode();
    setWindowFlag(Qt::WindowStaysOnTopHint);
    loadList();
    // The picker opens on its first formula, so that Enter inserts at once.
    if (mode_ == FormulaMode::Picking && lv_->topLevelItemCount() > 0)
        lv_->setCurrentItem(lv_->topLevelItem(0));
    layoutControls();
}

void frmFormula::buildControls() {
    lv_ = new QTreeWidget(this);
    lv_->setObjectName(QStringLiteral("lv"));
    lv_->setAccessibleName(QStringLiteral("ユーザー定義式"));
    lv_->setHeaderLabels({QStringLiteral("式名"), QStringLiteral("式")});
    lv_->setRootIsDecorated(false);
    lv_->setUniformRowHeights(true);
    lv_->setAllColumnsShowFocus(true);
    lv_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv_->setSelectionMode(QAbstractItemView::SingleSelection);
    lv_->setItemDelegate(new FormulaListDelegate(lv_));
    lv_->header()->setStretchLastSection(false);
    lv_->setColumnWidth(0, twipsToPixels(kColumnWidth));
    lv_->setColumnWidth(1, twipsToPixels(kColumnWidth));
    lv_->installEventFilter(this);

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("pic"));
    name_ = new QLineEdit(panel_);
    name_->setObjectName(QStringLiteral("txt_0"));
    name_->setAccessibleName(QStringLiteral("式名"));
    text_ = new QPlainTextEdit(panel_);
    text_->setObjectName(QStringLiteral("txt_1"));
    text_->setAccessibleName(QStringLiteral("式"));
    text_->setTabChangesFocus(true);
    redoOnBothKeys(name_);
    redoOnBothKeys(text_);
    const char16_t* labelText[] = {u"式名", u"式"};
    for (int i = 0; i < 2; ++i) {
        labels_[i] = new QLabel(QString::fromUtf16(labelText[i]), panel_);
        labels_[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    reason_ = new QLabel(panel_);
    reason_->setObjectName(QStringLiteral("lblReason"));
    reason_->setAccessibleName(QStringLiteral("登録できない理由"));
    reason_->setWordWrap(true);
    reason_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    labels_[0]->setBuddy(name_);
    labels_[1]->setBuddy(text_);
    for (QWidget* box : {static_cast<QWidget*>(name_), static_cast<QWidget*>(text_)}) {
        box->setAutoFillBackground(true);
        box->installEventFilter(this);
    }
    colourFocus(0, false);
    colourFocus(1, false);

    makeDialogButtons(kButtons, panel_, buttons_);
    // Return presses OK from anywhere but a button (the list keeps Return for itself).
    cmdMenu(FormulaButton::Ok)->setDefault(true);
    connect(cmdMenu(FormulaButton::Add), &QPushButton::clicked, this, &frmFormula::addFormula);
    connect(cmdMenu(FormulaButton::Edit), &QPushButton::clicked, this, &frmFormula::editFormula);
    connect(cmdMenu(FormulaButton::Delete), &QPushButton::clicked, this,
            &frmFormula::deleteFormula);
    connect(cmdMenu(FormulaButton::Clear), &QPushButton::clicked, this, &frmFormula::clearBoxes);
    connect(cmdMenu(FormulaButton::Apply), &QPushButton::clicked, this, &frmFormula::apply);
    connect(cmdMenu(FormulaButton::Ok), &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(cmdMenu(FormulaButton::Cancel), &QPushButton::clicked, this, &QDialog::reject);

    // The boxes follow the selected row; a row that merely has the focus shows nothing, since
    // only a selected row can be inserted.
    connect(lv_, &QTreeWidget::itemSelectionChanged, this, [this] { showRow(selectedRow()); });
    connect(lv_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row) { showRow(row); });
    connect(lv_, &QTreeWidget::itemDoubleClicked, this, [this] { insertSelected(); });
    connect(lv_, &QTreeWidget::itemChanged, this, &frmFormula::renamed);
}

void frmFormula::setUpMode() {
    if (mode_ == FormulaMode::Editing) {
        lv_->setEditTriggers(QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed);
        if (QScreen* screen = owner() ? owner()->screen() : QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
        return;
    }
    for (FormulaButton b : {FormulaButton::Ok, FormulaButton::Apply, FormulaButton::Add,
                            FormulaButton::Edit, FormulaButton::Delete})
        cmdMenu(b)->setEnabled(false);
    name_->setEnabled(false);
    cmdMenu(FormulaButton::Cancel)->setFocusPolicy(Qt::ClickFocus);
    text_->setReadOnly(true);
    lv_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The formula box fills the short panel as a preview; the editing controls stay out of view.
    for (QWidget* w : panel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != text_) w->hide();
    placeUnderCaret();
}

QWidget* frmFormula::owner() const {
    return parentWidget();
}

void frmFormula::loadList() {
    encoding_ = settingsFileEncoding(iniFile_);
    const QSignalBlocker quiet(lv_);
    lv_->clear();
    for (const Formula& f : readFormulas(Settings(iniFile_))) lv_->addTopLevelItem(makeRow(f));
}

QTreeWidgetItem* frmFormula::makeRow(const Formula& f) {
    auto* row = new QTreeWidgetItem;
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    setRow(row, f);
    return row;
}

void frmFormula::setRow(QTreeWidgetItem* row, const Formula& f) {
    const QSignalBlocker quiet(lv_);
    row->setText(0, qs(f.name));
    row->setData(0, kLastNameRole, qs(f.name));
    row->setText(1, listText(qs(f.text)));
    row->setData(1, kFormulaRole, qs(f.text));
}

std::vector<Formula> frmFormula::formulas() const {
    std::vector<Formula> list;
    for (int i = 0; i < lv_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lv_->topLevelItem(i);
        list.push_back({row->text(0).toStdU16String(),
                        row->data(1, kFormulaRole).toString().toStdU16String()});
    }
    return list;
}

Formula frmFormula::boxes() const {
    return {name_->text().toStdU16String(),
            formulaLineBreaks(text_->toPlainText()).toStdU16String()};
}

QTreeWidgetItem* frmFormula::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = lv_->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void frmFormula::showRow(QTreeWidgetItem* row) {
    if (!row) return;
    name_->setText(row->text(0));
    text_->setPlainText(sheetLineBreaks(row->data(1, kFormulaRole).toString()));
}

// A list the settings file could not keep is refused, and the dialog says why.
bool frmFormula::refused(const std::vector<Formula>& list) {
    const QString why = whyNotStorable(list, encoding_);
    reason_->setText(why);
    return !why.isEmpty();
}

void frmFormula::addFormula() {
    const Formula f = boxes();
    if (f.name.empty()) return;
    std::vector<Formula> list = formulas();
    list.push_back(f);
    if (refused(list)) return;
    lv_->addTopLevelItem(makeRow(f));
    clearBoxes();
}

void frmFormula::editFormula() {
    QTreeWidgetItem* row = selectedRow();
    const Formula f = boxes();
    if (f.name.empty() || !row) return;
    std::vector<Formula> list = formulas();
    list[lv_->indexOfTopLevelItem(row)] = f;
    if (refused(list)) return;
    setRow(row, f);
}

void frmFormula::deleteFormula() {
    QTreeWidgetItem* row = selectedRow();
    if (!row) return;
    delete row;
    clearBoxes();
}

void frmFormula::clearBoxes() {
    name_->clear();
    text_->clear();
}

void frmFormula::apply() {
    Settings settings(iniFile_);
    writeFormulas(settings, formulas());
}

// A name edited in place to nothing, or to a text the stored form cannot keep, goes back to
// what it was.
void frmFormula::renamed(QTreeWidgetItem* row, int column) {
    if (column != 0) return;
    const QString name = row->text(0);
    if (name.isEmpty() || refused(formulas())) {
        const QSignalBlocker quiet(lv_);
        row->setText(0, row->data(0, kLastNameRole).toString());
        return;
    }
    const QSignalBlocker quiet(lv_);
    row->setData(0, kLastNameRole, name);
}

void frmFormula::insertSelected() {
    QTreeWidgetItem* row = selectedRow();
    if (mode_ != FormulaMode::Picking || !row) return;
    insertFormula(sheet_, row->data(1, kFormulaRole).toString());
    close();
}

bool frmFormula::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) lv_->setFocus();
    return QDialog::event(e);
}

bool frmFormula::eventFilter(QObject* watched, QEvent* e) {
    // An in-place name editor takes its own keys, so Enter here means the list itself.
    // Enter inserts on its release: inserting on the press would close the picker and leave
    // the release to the sheet, where it would start a calculation.
    if (watched == lv_ && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (e->type() == QEvent::KeyRelease && !key->isAutoRepeat()) insertSelected();
            return true;
        }
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        const bool in = e->type() == QEvent::FocusIn;
        if (watched == name_) colourFocus(0, in);
        if (watched == text_) colourFocus(1, in);
    }
    return QDialog::eventFilter(watched, e);
}

frmFormula* showFormulaPicker(QWidget* owner, QPlainTextEdit* sheet, QPointer<frmFormula>& picker,
                              const std::filesystem::path& ini) {
    if (!picker) {
        picker = new frmFormula(FormulaMode::Picking, ini, owner, sheet);
        picker->setAttribute(Qt::WA_DeleteOnClose);
        picker->setModal(false);
    }
    picker->show();
    picker->raise();
    picker->activateWindow();
    return picker;
}

void runFormulaEditor(QWidget* owner, QPointer<frmFormula>& picker,
                      const std::filesystem::path& ini) {
    if (picker) picker->close();
    frmFormula editor(FormulaMode::Editing, ini, owner);
    editor.exec();
}

} // namespace quill
