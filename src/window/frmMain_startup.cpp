// The load sequence: what the main window takes from the settings file before it is first
// shown. The steps run in a fixed order, each reading its key when it is applied; the file
// path and the one-instance rule come first and are the program's (app/main.cpp).
#include "keypad/keypad_panel.h"
#include "settings/program_folder.h"
#include "settings/settings.h"
#include "widgets/colours.h"
#include "widgets/results_column.h"
#include "window/divider.h"
#include "window/frmMain.h"
#include "window/window_api.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <cmath>

namespace quill {

namespace {

// Families that show Japanese; fontconfig falls back to whatever else is installed.
const QStringList kJapaneseFamilies = {QStringLiteral("Noto Sans CJK JP"),
                                       QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic"),
                                       QStringLiteral("sans-serif")};

constexpr int kBoxRightMargin = 2; // pixels

int twipsToPixels(float twips) {
    return int(std::lround(twips / twipsPerPixel));
}

void setBoxColours(const std::initializer_list<QWidget*>& boxes, Colour fore, Colour back) {
    // System colours resolve through the desktop's palette, not the boxes' own (which hold
    // the colours applied last).
    const QPalette base = QApplication::palette(*boxes.begin());
    for (QWidget* box : boxes) {
        QPalette p = box->palette();
        p.setColor(QPalette::Text, resolveColour(fore, base));
        p.setColor(QPalette::Base, resolveColour(back, base));
        box->setPalette(p);
    }
}

void setBoxFont(const std::initializer_list<QWidget*>& boxes, int pointSize) {
    QFont font = (*boxes.begin())->font();
    font.setFamilies(kJapaneseFamilies);
    font.setPointSizeF(pointSize);
    for (QWidget* box : boxes) box->setFont(font);
}

void setUnderlineColour(QWidget* underline, Colour colour) {
    QPalette p = underline->palette();
    p.setColor(QPalette::Window, resolveColour(colour, QApplication::palette(underline)));
    underline->setPalette(p);
}

// A right inner margin of kBoxRightMargin; the left margin stays as it is. The sheet and the
// results column need none of their own: their documents keep a margin on every side.
void setRightMargin(QLineEdit* box) {
    const QMargins m = box->textMargins();
    box->setTextMargins(m.left(), m.top(), kBoxRightMargin, m.bottom());
}

// The window's state and, in the normal state, its place and size. A window that will open
// maximised takes the screen's size now, so that the divider is placed in the width it will
// have.
void applyPlacement(QWidget* window, const WindowPlacement& placement) {
    switch (placement.state) {
    case WindowState::Normal:
        if (const auto& r = placement.rect) {
            window->move(twipsToPixels(r->left), twipsToPixels(r->top));
            window->resize(std::max(1, twipsToPixels(r->width)),
                           std::max(1, twipsToPixels(r->height)));
        }
        return;
    case WindowState::Minimised: window->setWindowState(Qt::WindowMinimized); return;
    case WindowState::Maximised:
        if (const QScreen* screen = window->screen())
            window->resize(screen->availableGeometry().size());
        window->setWindowState(Qt::WindowMaximized);
        return;
    }
}

// A window that opens maximised gets its final size from the window system only once it is
// shown, less the frame it is given. Until the user drags the divider or the window leaves
// the maximised state, the stored divider place holds in the width the window really has.
class MaximisedDivider : public QObject {
public:
    MaximisedDivider(frmMain* window, QWidget* client, int split)
        : QObject(window), window_(window), split_(split) {
        client->installEventFilter(this);
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WindowStateChange &&
            window_->isVisible() && !window_->isMaximized())
            deleteLater();
        else if (watched != window_ && event->type() == QEvent::Resize && window_->isMaximized())
            // Runs before the window's own layout pass, which then keeps this width.
            window_->setRightPaneWidth(static_cast<QResizeEvent*>(event)->size().width() - split_);
        return false;
    }

private:
    frmMain* window_;
    int split_;
};

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

// The settings dialog's Apply: the same looks as the load sequence gives.
void frmMain::applyLook(const SheetLook& look) {
    look_ = look;
    // The dialog stores the underline as plainly on or off.
    underlineAlwaysShown_ = false;
    setBoxColours({sheet_, totalBox_, results_}, look.fore, look.back);
    setBoxFont({sheet_, totalBox_, results_}, look.fontSize);
    underline_->setVisible(look.underline);
    setUnderlineColour(underline_, look.lineColor);
    // The total box is one line of the boxes' font high; the layout pass keeps that height.
    totalBox_->resize(totalBox_->width(), totalBox_->sizeHint().height());
    Form_Resize();
}

void frmMain::Form_Load() {
    const Settings settings(iniPath());
    // The speech engine opens on its own thread while the window loads and paints; the
    // talking switch can be turned on once it is ready (never without one).
    QAction* talk = menus_.opt.at(OptItem::Talk);
    talk->setEnabled(speech_.available());
    speech_.whenReady([this, talk] {
        QMetaObject::invokeMethod(
            this,
            [this, talk] {
                talk->setEnabled(speech_.available());
                reportVoiceOutput();
            },
            Qt::QueuedConnection);
    });
    loadLooks(settings);
    const WindowState state = loadPlacement(settings);
    loadUnderline(settings);
    loadViewSwitches(settings, state);
    loadOptionMarks(settings);

    // The button size as its menu command lays the keypad out; from here on a resize keeps
    // the width right of the divider.
    mnuViewItem_Click(settings.buttonSize() == ButtonSize::Medium ? ViewItem::SizeMedium
                                                                  : ViewItem::SizeSmall);
    placeKeypadPanel();
    Form_Resize();
    rightPaneWidth_ = client_->width() - divider_->x();

    windowAlpha_ = settings.transparency();
    applyOpacity(this, windowAlpha_);

    // Stored places win over the layout. A bad entry ends the load sequence where it stands:
    // the hooks stay off for this run, and the close sequence rewrites the lists from the
    // actual places, which repairs the file.
    if (!applyStoredPositions()) return;
    installHooks();
}

// Colours, font and margins: the three boxes share the sheet's. The window's own font takes
// the Japanese families but keeps its size: in Qt its size would pass on to the menus, the
// keypad and the status bar.
void frmMain::loadLooks(const Settings& settings) {
    look_.fore = settings.foreColor(kSystemWindowText);
    look_.back = settings.backColor(kSystemWindowBackground);
    setBoxColours({sheet_, totalBox_, results_}, look_.fore, look_.back);
    look_.fontSize = settings.fontSize();
    setBoxFont({sheet_, totalBox_, results_}, look_.fontSize);
    QFont windowFont = font();
    windowFont.setFamilies(kJapaneseFamilies);
    setFont(windowFont);
    totalBox_->resize(totalBox_->width(), totalBox_->sizeHint().height());
    setRightMargin(totalBox_);
}

// The window's placement, then the divider's left edge (by default where the layout put it),
// in the pixels of the window's size.
WindowState frmMain::loadPlacement(const Settings& settings) {
    WindowPlacement placement = LoadWindowPos(settings);
    // The default height was drawn for the default font: the keypad, the menu bar and the
    // status bar grown with a larger desktop font add their growth, or they would squeeze
    // the sheet to a single line.
    if (placement.rect && placement.rect->height == WindowRect{}.height) {
        QFont reference = font();
        reference.setPointSizeF(KeypadPanel::defaultFontPoints);
        const int lineGrowth =
            std::max(0, QFontMetrics(font()).height() - QFontMetrics(reference).height());
        const int growth = keypad_->scaledHeight() - KeypadPanel::panelHeight + 2 * lineGrowth;
        placement.rect->height += float(growth) * twipsPerPixel;
    }
    applyPlacement(this, placement);
    layout()->activate();
    Form_Resize();
    const int split = settings.split(divider_->x());
    setRightPaneWidth(client_->width() - split);
    if (placement.state == WindowState::Maximised) {
        auto* keeper = new MaximisedDivider(this, client_, split);
        connect(divider_, &Divider::dragStarted, keeper, &QObject::deleteLater);
    }
    return placement.state;
}

void frmMain::loadUnderline(const Settings& settings) {
    const int underline = settings.underlineSetting();
    look_.underline = underline != 0;
    underlineAlwaysShown_ = underline != 0 && underline != -1;
    underline_->setVisible(look_.underline);
    look_.lineColor = settings.lineColor(kSystemWindowText);
    setUnderlineColour(underline_, look_.lineColor);
}

// Status bar, centring (a normal window only: it overrides the stored place), always on
// top, keypad hidden.
void frmMain::loadViewSwitches(const Settings& settings, WindowState state) {
    menus_.view.setChecked(ViewItem::StatusBar, settings.statusBar());
    statusBar()->setVisible(settings.statusBar());
    menus_.view.setChecked(ViewItem::Centre, settings.centre());
    if (settings.centre() && state == WindowState::Normal) centreOnScreen(this);
    menus_.view.setChecked(ViewItem::OnTop, settings.alwaysOnTop());
    if (settings.alwaysOnTop()) setTopmost(this, true);
    menus_.view.setChecked(ViewItem::HideKeypad, settings.keypadHidden());
    keypad_->setHidden(settings.keypadHidden());
}

// Grouping, recalculation and talking: check marks only; the calculation and speech read
// them.
void frmMain::loadOptionMarks(const Settings& settings) {
    const Grouping g = settings.grouping();
    menus_.view.setChecked(ViewItem::GroupThree, g == Grouping::Three);
    menus_.view.setChecked(ViewItem::GroupFour, g == Grouping::Four);
    menus_.view.setChecked(ViewItem::GroupUnits, g == Grouping::Units);
    const Recalc recalc = settings.recalc();
    menus_.opt.setChecked(OptItem::RecalcOnEnter, recalc == Recalc::OnEnter);
    menus_.opt.setChecked(OptItem::RecalcOnEveryInput, recalc == Recalc::OnEveryInput);
    menus_.opt.setChecked(OptItem::Talk, settings.talk());
    speech_.setTalking(settings.talk());
    loadVoice(settings);
    menus_.opt.setChecked(OptItem::KeepSheet, settings.keepSheet());
}

bool frmMain::applyStoredPositions() {
    const Settings settings(iniPath());
    return applyPositions(keypad_, KeyArray::Num, settings.numPos()) &&
           applyPositions(keypad_, KeyArray::Menu, settings.menuPos()) &&
           applyPositions(keypad_, KeyArray::Op, settings.opPos());
}

} // namespace quill
