// What the main window takes from the settings file when it starts: looks, placement, the
// option check marks, button size and places.
#include "keypad/keypad_panel.h"
#include "settings/program_folder.h"
#include "settings/settings.h"
#include "window/colours.h"
#include "window/frmMain.h"
#include "window/window_api.h"

#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <cmath>

namespace quill {

namespace {

// Families that show Japanese; fontconfig falls back to whatever else is installed.
const QStringList kJapaneseFamilies = {QStringLiteral("Noto Sans CJK JP"),
                                       QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic"),
                                       QStringLiteral("sans-serif")};

int twipsToPixels(float twips) {
    return int(std::lround(twips / twipsPerPixel));
}

void applyPlacement(QWidget* window, const WindowPlacement& placement) {
    if (placement.state == WindowState::Normal && placement.rect) {
        const WindowRect& r = *placement.rect;
        window->move(twipsToPixels(r.left), twipsToPixels(r.top));
        window->resize(std::max(1, twipsToPixels(r.width)), std::max(1, twipsToPixels(r.height)));
    }
    if (placement.state == WindowState::Minimised)
        window->setWindowState(Qt::WindowMinimized);
    else if (placement.state == WindowState::Maximised)
        window->setWindowState(Qt::WindowMaximized);
}

// Moves the buttons of one array to their stored places; false at the first bad pair.
bool applyPositions(KeypadPanel* panel, KeyArray array, std::u16string_view stored) {
    const std::vector<int>& indices = keyIndices(array);
    const PositionListRead read = readPositionList(stored, indices.size());
    for (size_t k = 0; k < read.positions.size(); ++k)
        panel->button(array, indices[k])
            ->moveTwips({read.positions[k].left, read.positions[k].top});
    return !read.badPair;
}

} // namespace

SheetLook frmMain::currentLook() const {
    return look_;
}

void frmMain::applyLook(const SheetLook& look) {
    look_ = look;
    // System colours resolve through the desktop's palette, not the boxes' own (which hold
    // the colours applied last).
    const QPalette base = QApplication::palette(sheet_);
    const QColor fore = resolveColour(look.fore, base);
    const QColor back = resolveColour(look.back, base);
    QFont font = sheet_->font();
    font.setFamilies(kJapaneseFamilies);
    font.setPointSizeF(look.fontSize);
    for (QWidget* box : {txt(0), txt(1), txt(2)}) {
        QPalette p = box->palette();
        p.setColor(QPalette::Text, fore);
        p.setColor(QPalette::Base, back);
        box->setPalette(p);
        box->setFont(font);
    }
    QPalette linePalette = underline_->palette();
    linePalette.setColor(QPalette::Window, resolveColour(look.lineColor, base));
    underline_->setPalette(linePalette);
    underline_->setVisible(look.underline);
    // The total box is one line of the boxes' font high; the layout pass keeps that height.
    totalBox_->resize(totalBox_->width(), totalBox_->sizeHint().height());
    Form_Resize();
}

void frmMain::applyStartupSettings() {
    const Settings settings(iniPath());
    QFont windowFont = font();
    windowFont.setFamilies(kJapaneseFamilies);
    setFont(windowFont);
    SheetLook look;
    look.fore = settings.foreColor(kSystemWindowText);
    look.back = settings.backColor(kSystemWindowBackground);
    look.fontSize = settings.fontSize();
    look.underline = settings.underline();
    look.lineColor = settings.lineColor(kSystemWindowText);
    applyLook(look);

    const WindowPlacement placement = LoadWindowPos(settings);
    applyPlacement(this, placement);
    // Lay the client area out now, so that the divider's place can be read in its pixels.
    layout()->activate();
    const int width = client_->width();
    rightPaneWidth_ = width - settings.split(width - rightPaneWidth_);

    menus_.view.setChecked(0, settings.statusBar());
    statusBar()->setVisible(settings.statusBar());
    menus_.view.setChecked(1, settings.centre());
    if (settings.centre() && placement.state == WindowState::Normal) centreOnScreen(this);
    menus_.view.setChecked(2, settings.alwaysOnTop());
    if (settings.alwaysOnTop()) setTopmost(this, true);
    menus_.view.setChecked(10, settings.keypadHidden());
    keypad_->setHidden(settings.keypadHidden());

    const Grouping g = settings.grouping();
    menus_.view.setChecked(12, g == Grouping::Three);
    menus_.view.setChecked(13, g == Grouping::Four);
    menus_.view.setChecked(14, g == Grouping::Units);
    const Recalc recalc = settings.recalc();
    menus_.opt.setChecked(7, recalc == Recalc::OnEnter);
    menus_.opt.setChecked(8, recalc == Recalc::OnEveryInput);
    menus_.opt.setChecked(13, settings.talk());
    menus_.opt.at(13)->setEnabled(speech_.available());
    speech_.setTalking(settings.talk());

    mnuViewItem_Click(settings.buttonSize() == ButtonSize::Medium ? 5 : 4);
    windowAlpha_ = settings.transparency();
    applyOpacity(this, windowAlpha_);

    // Stored places win over the defaults. A bad entry stops the rest of the lists, as the
    // stored lists are rewritten whole at the next exit.
    if (applyPositions(keypad_, KeyArray::Num, settings.numPos()) &&
        applyPositions(keypad_, KeyArray::Menu, settings.menuPos()))
        applyPositions(keypad_, KeyArray::Op, settings.opPos());
    Form_Resize();
}

} // namespace quill
