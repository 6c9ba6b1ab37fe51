// SPDX-License-Identifier: GPL-3.0-or-later
// The real window, offscreen: its controls as laid out, what it shows right after start-up, and how mouse,
// keys and errors reach the form.

#include <cstdint>
#include <vector>

#include "app/ErrorMessage.h"
#include "app/MouseRouter.h"
#include "platform/BitsView.h"
#include "platform/KeyFilterEdit.h"
#include "support/GuiSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using tintorb::Ctl;
using tintorb::MouseAction;
using tintorb::MouseButton;
using tintorb::RoutedMouse;
using tintorb::gui::GuiWindow;

namespace {

// A window that also keeps every mouse event the surface routes to an area, and whose address box can be
// made to fail when read, as a file operation would.
class RecordingWindow : public tintorb::MainWindow {
  public:
    std::vector<RoutedMouse> events;
    bool failAddressReads = false;

    [[nodiscard]] std::string Text(Ctl c) const override {
        if (failAddressReads && c == Ctl::editAddress) {
            throw tintorb::FileError("Disk full");
        }
        return MainWindow::Text(c);
    }

  protected:
    void DeliverMouse(const RoutedMouse& event) override {
        events.push_back(event);
        MainWindow::DeliverMouse(event);
    }
};

[[nodiscard]] QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] QRect QRectOf(Ctl c) {
    const tintorb::Rect r = tintorb::RectOf(c);
    return {r.left, r.top, r.width, r.height};
}

// The text a control shows, whatever kind of widget it is.
[[nodiscard]] QString WidgetText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* menu = qobject_cast<const QComboBox*>(widget)) {
        return menu->currentText();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) {
        return memo->toPlainText();
    }
    if (const auto* bits = qobject_cast<const tintorb::BitsView*>(widget)) {
        return bits->Text();
    }
    return {};
}

// A readable form of routed events, so that a failed comparison shows what arrived.
[[nodiscard]] QString Describe(const std::vector<RoutedMouse>& events) {
    static constexpr std::array<const char*, 3> Actions{"down", "move", "up"};
    static constexpr std::array<const char*, 3> Buttons{"left", "right", "middle"};
    QStringList parts;
    for (const RoutedMouse& e : events) {
        parts << QStringLiteral("%1 %2 %3 (%4, %5)")
                     .arg(Q(tintorb::LayoutOf(e.area).name),
                          QLatin1String(Actions[static_cast<std::size_t>(e.action)]),
                          QLatin1String(Buttons[static_cast<std::size_t>(e.button)]))
                     .arg(e.x)
                     .arg(e.y);
    }
    return parts.join(QStringLiteral("; "));
}

[[nodiscard]] RoutedMouse Routed(Ctl area, MouseAction action, MouseButton button, int x, int y) {
    return {area, action, button, x, y};
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsFollowTheLayoutTable();
    void sampleControlsAsWritten();
    void tabOrderAndStacking();
    void startUpShowsTheBackgroundWhereNoControlIs();
    void surfaceIsShownFromItsOwnMemory();
    void lengthMenuShowsTheLengthBoxOnlyForOther();
    void lengthMenuCompletesTypedText();
    void leftPressCapturesUntilRelease();
    void otherButtonsCaptureNothing();
    void movesWithoutAButtonReachTheBrowser();
    void doubleClickIsTwoPresses();
    void windowedControlsAndLabelsOverTheAreas();
    void addressKeysPassTheFormFilter();
    void bitViewDrawsDigitsElevenPixelsApart();
    void bitViewTakesPressesOnlyWhileEnabled();
    void listingSelectsExactlyTheGivenRange();
    void listingUpdatesLeaveNoUndoStep();
    void fileErrorIsShownAndTheWindowGoesOn();
    void fileErrorInANestedHandlerEndsTheOuterOne();
    void keyCharacters_data();
    void keyCharacters();
};

void WindowTest::controlsFollowTheLayoutTable() {
    GuiWindow w;
    for (const tintorb::ControlLayout& entry : tintorb::Layout) {
        const QString name = Q(entry.name);
        QWidget* widget = w.Widget(entry.id);
        QVERIFY2(widget != nullptr, qPrintable(name));
        if (entry.kind == tintorb::ControlKind::Area || entry.kind == tintorb::ControlKind::Image) {
            // The areas are regions of the picture that covers the whole client area.
            QCOMPARE(widget, w.Widget(Ctl::imgMain));
            QCOMPARE(widget->geometry(), QRect(0, 0, tintorb::ClientWidth, tintorb::ClientHeight));
            continue;
        }
        QCOMPARE(widget->objectName(), name);
        if (entry.kind == tintorb::ControlKind::Label) {
            // Labels size themselves to their text.
            QCOMPARE(widget->pos(), QRectOf(entry.id).topLeft());
        } else {
            QVERIFY2(widget->geometry() == QRectOf(entry.id), qPrintable(name));
        }
        QVERIFY2(widget->isVisibleTo(&w.Window()) == entry.visible, qPrintable(name));
        QVERIFY2(widget->isEnabled() == entry.enabled, qPrintable(name));
        QCOMPARE(WidgetText(widget), Q(entry.text));
    }
}

void WindowTest::sampleControlsAsWritten() {
    GuiWindow w;
    tintorb::MainWindow& window = w.Window();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tintorb 2.1"));
    // The client area lies right below the menu bar and right above the status bar, and the window is no
    // larger than the three.
    const int barHeight = window.menuBar()->height();
    QVERIFY(barHeight > 0);
    QCOMPARE(window.ClientArea()->geometry(), QRect(0, barHeight, 953, 657));
    QCOMPARE(window.statusBar()->geometry().top(), barHeight + 657);
    QCOMPARE(window.size(), QSize(953, 657 + barHeight + window.statusBar()->height()));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.pos(), QPoint(192, 124));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* load = w.WidgetAs<QAbstractButton>(Ctl::btnLoad);
    QCOMPARE(load->geometry(), QRect(8, 8, 169, 49));
    QCOMPARE(load->text(), QStringLiteral("Load File or ROM"));
    QCOMPARE(w.Widget(Ctl::btnASM)->geometry(), QRect(8, 520, 161, 25));

    auto* invalid = w.WidgetAs<QCheckBox>(Ctl::chkInvalid);
    QCOMPARE(invalid->geometry(), QRect(816, 8, 129, 17));
    QCOMPARE(invalid->text(), QStringLiteral("Show Invalid Palettes"));
    QVERIFY(!invalid->isChecked());

    auto* menu = w.WidgetAs<QComboBox>(Ctl::menuLength);
    QCOMPARE(menu->geometry(), QRect(192, 24, 65, 21));
    QVERIFY(menu->isEditable());
    QStringList items;
    for (int i = 0; i < menu->count(); ++i) {
        items << menu->itemText(i);
    }
    QCOMPARE(items, QStringList({u"Auto"_s, u"$10"_s, u"$20"_s, u"$30"_s, u"$40"_s, u"Other"_s}));
    QCOMPARE(window.ItemIndex(Ctl::menuLength), 0);

    QCOMPARE(w.Widget(Ctl::editAddress)->geometry(), QRect(192, 72, 121, 21));
    QLabel* caption = window.AddressLabel();
    QCOMPARE(caption->text(), QStringLiteral("Address (add $ for hex)"));
    QCOMPARE(caption->x(), 192);
    QVERIFY(caption->geometry().bottom() < 72 && caption->y() >= 72 - 24);

    auto* length = w.WidgetAs<QLineEdit>(Ctl::editLength);
    QCOMPARE(length->geometry(), QRect(264, 24, 65, 21));
    QVERIFY(length->isHidden());

    auto* bar = w.WidgetAs<QScrollBar>(Ctl::barBrowser);
    QCOMPARE(bar->geometry(), QRect(928, 32, 17, 513));
    QCOMPARE(bar->orientation(), Qt::Vertical);
    QVERIFY(!bar->isEnabled());
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 0);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 32);

    auto* memo = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
    QCOMPARE(memo->geometry(), QRect(8, 552, 937, 97));
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->fontInfo().pixelSize(), 11);
    QVERIFY(memo->fontInfo().fixedPitch());

    auto* bits = w.WidgetAs<tintorb::BitsView>(Ctl::editBits);
    QCOMPARE(bits->geometry(), QRect(8, 432, 185, 17));
    QCOMPARE(bits->Text(), QStringLiteral("0000000000000000"));
    QVERIFY(!bits->isEnabled());
    QVERIFY(bits->fontInfo().bold());
    QCOMPARE(bits->fontInfo().pixelSize(), 19);
    QCOMPARE(window.ClientArea()->fontInfo().pixelSize(), 11);

    QCOMPARE(w.TextOf(Ctl::lblBrowser), QStringLiteral("Top Left: $0"));
    QCOMPARE(w.TextOf(Ctl::lblBrowserMouse), QStringLiteral("Under Mouse: x"));
    QCOMPARE(w.TextOf(Ctl::lblLength), QStringLiteral("Length"));
    QCOMPARE(w.Widget(Ctl::lblBrowser)->pos(), QPoint(416, 16));
}

void WindowTest::tabOrderAndStacking() {
    GuiWindow w;
    // Each control of the tab order comes later in the focus chain than the one before it.
    QList<QWidget*> chain;
    QWidget* first = w.Widget(tintorb::TabOrder.front());
    for (QWidget* next = first; next != nullptr && (chain.isEmpty() || next != first);
         next = next->nextInFocusChain()) {
        chain << next;
    }
    qsizetype previous = -1;
    for (const Ctl c : tintorb::TabOrder) {
        QWidget* widget = w.Widget(c);
        const qsizetype at = chain.indexOf(widget->focusProxy() ? widget->focusProxy() : widget);
        QVERIFY2(at > previous, qPrintable(Q(tintorb::LayoutOf(c).name)));
        previous = at;
    }
    // Tab leaves the listing for the next control that can take the focus (the length box is hidden).
    w.Key(Ctl::memoASM, Qt::Key_Tab);
    QCOMPARE(w.Window().focusWidget(), w.Widget(Ctl::btnReload));
    QVERIFY(w.TextOf(Ctl::memoASM).isEmpty());
    // Stacking follows creation: the picture lies lowest, the bit view (made last) on top.
    const QObjectList children = w.Window().ClientArea()->children();
    qsizetype lastIndex = -1;
    for (const tintorb::ControlLayout& entry : tintorb::Layout) {
        if (entry.kind == tintorb::ControlKind::Area) {
            continue;
        }
        const qsizetype index = children.indexOf(w.Widget(entry.id));
        QVERIFY2(index > lastIndex, qPrintable(Q(entry.name)));
        lastIndex = index;
    }
}

void WindowTest::startUpShowsTheBackgroundWhereNoControlIs() {
    GuiWindow w;
    const QImage shot = w.Grab();
    // Every pixel that no visible widget above the picture covers.
    std::vector<bool> covered(static_cast<std::size_t>(tintorb::ClientWidth * tintorb::ClientHeight));
    for (QObject* child : w.Window().ClientArea()->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget == w.Widget(Ctl::imgMain) || !widget->isVisible()) {
            continue;
        }
        const QRect r =
            widget->geometry().intersected(QRect(0, 0, tintorb::ClientWidth, tintorb::ClientHeight));
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                covered[static_cast<std::size_t>(y * tintorb::ClientWidth + x)] = true;
            }
        }
    }
    int checked = 0;
    for (int y = 0; y < tintorb::ClientHeight; ++y) {
        for (int x = 0; x < tintorb::ClientWidth; ++x) {
            if (covered[static_cast<std::size_t>(y * tintorb::ClientWidth + x)]) {
                continue;
            }
            if (shot.pixel(x, y) != qRgb(240, 240, 240)) {
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3")
                                     .arg(x)
                                     .arg(y)
                                     .arg(QColor(shot.pixel(x, y)).name())));
            }
            ++checked;
        }
    }
    // The browser, palette and picker rectangles are among the uncovered points.
    for (const Ctl area : {Ctl::areaBrowser, Ctl::areaPal, Ctl::areaRGB}) {
        const QRect r = QRectOf(area);
        QVERIFY(!covered[static_cast<std::size_t>(r.center().y() * tintorb::ClientWidth + r.center().x())]);
    }
    QVERIFY(checked > tintorb::ClientWidth * tintorb::ClientHeight / 2);
}

void WindowTest::surfaceIsShownFromItsOwnMemory() {
    GuiWindow w;
    const QRect pal = QRectOf(Ctl::areaPal);
    w.Form().surface().FillBox({255, 0, 0}, pal.left(), pal.top(), 25, 40);
    w.Window().Present();
    const QImage shot = w.Grab();
    QCOMPARE(shot.pixelColor(pal.left(), pal.top()), QColor(255, 0, 0));
    QCOMPARE(shot.pixelColor(pal.left() + 24, pal.top() + 39), QColor(255, 0, 0));
    QCOMPARE(shot.pixelColor(pal.left() + 25, pal.top()), QColor(240, 240, 240));
}

void WindowTest::lengthMenuShowsTheLengthBoxOnlyForOther() {
    GuiWindow w;
    QWidget* length = w.Widget(Ctl::editLength);
    w.ChooseItem(Ctl::menuLength, tintorb::LengthItemOther);
    QCOMPARE(w.Window().ItemIndex(Ctl::menuLength), 5);
    QVERIFY(length->isVisible());
    w.ChooseItem(Ctl::menuLength, 2);
    QCOMPARE(w.Window().ItemIndex(Ctl::menuLength), 2);
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("$20"));
    QVERIFY(!length->isVisible());
}

void WindowTest::lengthMenuCompletesTypedText() {
    GuiWindow w;
    auto* edit = w.WidgetAs<QComboBox>(Ctl::menuLength)->lineEdit();
    edit->selectAll();
    w.Type(Ctl::menuLength, QStringLiteral("o"));
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("Other"));
    QCOMPARE(edit->selectedText(), QStringLiteral("ther"));
    // Text that completes to an item chooses it.
    QCOMPARE(w.Window().ItemIndex(Ctl::menuLength), tintorb::LengthItemOther);
    QVERIFY(w.Widget(Ctl::editLength)->isVisible());
    // Erasing the completed tail does not bring it back.
    w.Key(Ctl::menuLength, Qt::Key_Backspace);
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("O"));
    QCOMPARE(w.Window().ItemIndex(Ctl::menuLength), -1);
    QVERIFY(!w.Widget(Ctl::editLength)->isVisible());
    edit->selectAll();
    w.Type(Ctl::menuLength, QStringLiteral("$3"));
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("$30"));
    // Typing over a longer selected text completes from the first character.
    edit->selectAll();
    w.Type(Ctl::menuLength, QStringLiteral("a"));
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("Auto"));
    edit->selectAll();
    w.Type(Ctl::menuLength, QStringLiteral("7"));
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("7"));
    QCOMPARE(w.Window().ItemIndex(Ctl::menuLength), -1);
    // Choosing from the list after typing chooses the item again.
    w.ChooseItem(Ctl::menuLength, 0);
    QCOMPARE(w.Window().ItemIndex(Ctl::menuLength), 0);
}

// The pointer is brought to a point before each press and release there, so that the window system adds
// no moves of its own to what the test expects.
void WindowTest::leftPressCapturesUntilRelease() {
    auto* window = new RecordingWindow;
    GuiWindow w{std::unique_ptr<tintorb::MainWindow>(window)};
    w.Move(GuiWindow::At(Ctl::areaPal, 40, 20));
    window->events.clear();
    w.Press(GuiWindow::At(Ctl::areaPal, 40, 20));
    w.Move(GuiWindow::At(Ctl::areaRGB, 10, 10));
    w.Move(GuiWindow::At(Ctl::areaPal, -30, 20));
    w.Release(GuiWindow::At(Ctl::areaPal, -30, 20));
    const std::vector<RoutedMouse> expected{
        Routed(Ctl::areaPal, MouseAction::Down, MouseButton::Left, 40, 20),
        Routed(Ctl::areaPal, MouseAction::Move, MouseButton::Left, 10, 210),
        Routed(Ctl::areaPal, MouseAction::Move, MouseButton::Left, -30, 20),
        Routed(Ctl::areaPal, MouseAction::Up, MouseButton::Left, -30, 20),
    };
    QCOMPARE(Describe(window->events), Describe(expected));

    // A drag out of the browser keeps reaching the browser, past its edge; the margin hears nothing.
    w.Move(GuiWindow::At(Ctl::areaBrowser, 5, 5));
    window->events.clear();
    w.Press(GuiWindow::At(Ctl::areaBrowser, 5, 5));
    w.Move(GuiWindow::At(Ctl::areaBrowser, -10, 520));
    w.Release(GuiWindow::At(Ctl::areaBrowser, -10, 520));
    const std::vector<RoutedMouse> drag{
        Routed(Ctl::areaBrowser, MouseAction::Down, MouseButton::Left, 5, 5),
        Routed(Ctl::areaBrowser, MouseAction::Move, MouseButton::Left, -10, 520),
        Routed(Ctl::areaBrowser, MouseAction::Up, MouseButton::Left, -10, 520),
    };
    QCOMPARE(Describe(window->events), Describe(drag));

    // After the release the pointer is free again.
    window->events.clear();
    w.Move(GuiWindow::At(Ctl::areaBrowserOut, 2, 2));
    QCOMPARE(Describe(window->events),
             Describe({Routed(Ctl::areaBrowserOut, MouseAction::Move, MouseButton::Left, 2, 2)}));

    // A drag whose release went astray ends at the first move that comes with the left button up.
    w.Move(GuiWindow::At(Ctl::areaPal, 40, 20));
    w.Press(GuiWindow::At(Ctl::areaPal, 40, 20));
    window->events.clear();
    const QPoint margin = GuiWindow::At(Ctl::areaBrowserOut, 2, 2);
    QMouseEvent buttonUp(QEvent::MouseMove, margin, window->mapToGlobal(margin), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
    QApplication::sendEvent(w.Widget(Ctl::imgMain), &buttonUp);
    QCOMPARE(Describe(window->events),
             Describe({Routed(Ctl::areaBrowserOut, MouseAction::Move, MouseButton::Left, 2, 2)}));
    w.Release(margin);  // lets the test's own pointer go too
}

void WindowTest::otherButtonsCaptureNothing() {
    auto* window = new RecordingWindow;
    GuiWindow w{std::unique_ptr<tintorb::MainWindow>(window)};
    w.Move(GuiWindow::At(Ctl::areaPal, 40, 20));
    window->events.clear();
    w.Press(GuiWindow::At(Ctl::areaPal, 40, 20), Qt::RightButton);
    w.Move(GuiWindow::At(Ctl::areaRGB, 12, 7));
    w.Release(GuiWindow::At(Ctl::areaRGB, 12, 7), Qt::RightButton);
    const std::vector<RoutedMouse> expected{
        Routed(Ctl::areaPal, MouseAction::Down, MouseButton::Right, 40, 20),
        Routed(Ctl::areaRGB, MouseAction::Move, MouseButton::Left, 12, 7),
        Routed(Ctl::areaRGB, MouseAction::Up, MouseButton::Right, 12, 7),
    };
    QCOMPARE(Describe(window->events), Describe(expected));
}

void WindowTest::movesWithoutAButtonReachTheBrowser() {
    GuiWindow w;
    QTemporaryDir folder;
    w.AnswerOpen(tintorb::gui::WriteWordsFile(folder.filePath(QStringLiteral("words.bin")),
                                              std::vector<std::uint16_t>(32, 0)));
    w.Click(Ctl::btnLoad);
    QVERIFY(w.DialogsDone());
    w.Move(GuiWindow::At(Ctl::areaBrowser, 16 * 3 + 1, 1));
    QCOMPARE(w.TextOf(Ctl::lblBrowserMouse), QStringLiteral("Under Mouse: $6"));
    w.Move(GuiWindow::At(Ctl::areaBrowserOut, 3, 3));
    QCOMPARE(w.TextOf(Ctl::lblBrowserMouse), QStringLiteral("Under Mouse: x"));
}

void WindowTest::doubleClickIsTwoPresses() {
    auto* window = new RecordingWindow;
    GuiWindow w{std::unique_ptr<tintorb::MainWindow>(window)};
    w.DoubleClick(GuiWindow::At(Ctl::areaRGB, 3, 4));
    int presses = 0;
    for (const RoutedMouse& event : window->events) {
        presses += event.action == MouseAction::Down && event.area == Ctl::areaRGB ? 1 : 0;
    }
    QCOMPARE(presses, 2);
}

void WindowTest::windowedControlsAndLabelsOverTheAreas() {
    auto* window = new RecordingWindow;
    GuiWindow w{std::unique_ptr<tintorb::MainWindow>(window)};
    // The scroll bar lies over the browser's margin: the pointer over it reaches no area.
    w.Move(GuiWindow::CentreOf(Ctl::barBrowser));
    w.Click(GuiWindow::CentreOf(Ctl::btnColour));
    QVERIFY(window->events.empty());
    // A label takes no mouse events: the area below it gets them.
    w.Move(GuiWindow::At(Ctl::lblBrowser, 2, 2));
    window->events.clear();
    w.Click(GuiWindow::At(Ctl::lblBrowser, 2, 2));
    QCOMPARE(Describe(window->events),
             Describe({Routed(Ctl::areaBrowserOut, MouseAction::Down, MouseButton::Left, 18, 10),
                       Routed(Ctl::areaBrowserOut, MouseAction::Up, MouseButton::Left, 18, 10)}));
}

void WindowTest::addressKeysPassTheFormFilter() {
    GuiWindow w;
    auto* address = w.WidgetAs<QLineEdit>(Ctl::editAddress);
    w.Type(Ctl::editAddress, QStringLiteral("1g2"));
    QCOMPARE(address->text(), QStringLiteral("12"));
    // Editing keys that type nothing work as usual.
    w.Key(Ctl::editAddress, Qt::Key_Left);
    w.Type(Ctl::editAddress, QStringLiteral("3"));
    QCOMPARE(address->text(), QStringLiteral("132"));
    w.Key(Ctl::editAddress, Qt::Key_Home);
    w.Key(Ctl::editAddress, Qt::Key_Delete);
    QCOMPARE(address->text(), QStringLiteral("32"));
    // The paste shortcut is a control character, and the form discards it; Enter likewise.
    QApplication::clipboard()->setText(QStringLiteral("77"));
    w.Key(Ctl::editAddress, Qt::Key_V, Qt::ControlModifier);
    w.Key(Ctl::editAddress, Qt::Key_Return);
    QCOMPARE(address->text(), QStringLiteral("32"));
    // The change handler runs at once on every change: a letter gets its "$".
    address->clear();
    w.Type(Ctl::editAddress, QStringLiteral("a"));
    QCOMPARE(address->text(), QStringLiteral("$a"));
    QCOMPARE(address->cursorPosition(), 2);
    // Pasting through the context menu is not filtered; the change handler repairs the text.
    QApplication::clipboard()->setText(QStringLiteral("hello"));
    address->selectAll();
    address->paste();
    QCOMPARE(address->text(), QStringLiteral("0"));
}

void WindowTest::bitViewDrawsDigitsElevenPixelsApart() {
    GuiWindow w;
    tintorb::MainWindow& window = w.Window();
    window.SetEnabled(Ctl::editBits, true);
    window.Clear(Ctl::editBits);
    for (int i = 0; i < 16; ++i) {
        window.SetInsertColour(Ctl::editBits, i % 2 == 0 ? tintorb::Rgb{255, 0, 0} : tintorb::Rgb{0, 0, 255});
        window.InsertText(Ctl::editBits, "0");
    }
    QCOMPARE(window.Text(Ctl::editBits), std::string(16, '0'));
    const QImage shot = w.Grab();
    const QRect bits = QRectOf(Ctl::editBits);
    // Red ink appears only in the even cells and blue only in the odd ones, each cell 11 pixels wide.
    std::array<int, 16> redInk{};
    std::array<int, 16> blueInk{};
    for (int x = bits.left(); x < bits.left() + 16 * 11; ++x) {
        for (int y = bits.top(); y <= bits.bottom(); ++y) {
            const QColor c = shot.pixelColor(x, y);
            const auto cell = static_cast<std::size_t>((x - bits.left()) / 11);
            redInk[cell] += c.red() > 128 && c.blue() < 100 ? 1 : 0;
            blueInk[cell] += c.blue() > 128 && c.red() < 100 ? 1 : 0;
        }
    }
    for (std::size_t cell = 0; cell < 16; ++cell) {
        QVERIFY2(
            cell % 2 == 0 ? redInk[cell] > 0 && blueInk[cell] == 0 : blueInk[cell] > 0 && redInk[cell] == 0,
            qPrintable(QStringLiteral("cell %1").arg(cell)));
    }
}

void WindowTest::bitViewTakesPressesOnlyWhileEnabled() {
    GuiWindow w;
    QSignalSpy presses(w.WidgetAs<tintorb::BitsView>(Ctl::editBits), &tintorb::BitsView::Pressed);
    w.Click(GuiWindow::At(Ctl::editBits, 5, 8));
    QCOMPARE(presses.count(), 0);
    w.Window().SetEnabled(Ctl::editBits, true);
    w.Click(GuiWindow::At(Ctl::editBits, 170, 8), Qt::RightButton);
    QCOMPARE(presses.count(), 1);
    QCOMPARE(presses.front().at(0).value<MouseButton>(), MouseButton::Right);
    QCOMPARE(presses.front().at(1).toInt(), 170);
}

void WindowTest::listingSelectsExactlyTheGivenRange() {
    GuiWindow w;
    tintorb::MainWindow& window = w.Window();
    std::vector<std::string> lines;
    for (int row = 0; row < 2; ++row) {
        std::string line = "dc.w ";
        for (int column = 0; column < 16; ++column) {
            line +=
                (column ? ",$" : "$") +
                QStringLiteral("%1").arg(row * 16 + column, 4, 16, QLatin1Char('0')).toUpper().toStdString();
        }
        lines.push_back(line);
    }
    window.SetLines(Ctl::memoASM, lines);
    QVERIFY(window.Lines(Ctl::memoASM) == lines);
    // Entry 17: row 1, column 1, counted with the box's own line break length.
    const int start = (100 + window.LineBreakLength(Ctl::memoASM)) * 1 + 5 + 6 * 1;
    window.SetFocus(Ctl::memoASM);
    window.Select(Ctl::memoASM, start, 5);
    auto* memo = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("$0011"));
    QCOMPARE(w.Window().focusWidget(), memo);
    window.Clear(Ctl::memoASM);
    QVERIFY(window.Lines(Ctl::memoASM).empty());
}

// The program's own changes to the listing are no steps of the box's undo: after any update, Ctrl+Z there
// has nothing of the user's typing before it to undo, whether the lines were replaced in place or all anew.
void WindowTest::listingUpdatesLeaveNoUndoStep() {
    GuiWindow w;
    tintorb::MainWindow& window = w.Window();
    auto* memo = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
    const std::vector<std::string> lines{"dc.w $0000,$0001", "dc.w $0002"};
    const std::vector<std::string> edited{"dc.w $0000,$0001", "dc.w $0EEE"};
    window.SetLines(Ctl::memoASM, lines);
    for (const bool newLine : {false, true}) {
        newLine ? w.Key(Ctl::memoASM, Qt::Key_Return) : w.Type(Ctl::memoASM, u"x"_s);
        QVERIFY(memo->document()->isUndoAvailable());
        window.SetLines(Ctl::memoASM, newLine ? lines : edited);
        QVERIFY(window.Lines(Ctl::memoASM) == (newLine ? lines : edited));
        QVERIFY(!memo->document()->isUndoAvailable());
        QVERIFY(!memo->document()->isRedoAvailable());
        w.Key(Ctl::memoASM, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(window.Lines(Ctl::memoASM) == (newLine ? lines : edited));
    }
}

void WindowTest::fileErrorIsShownAndTheWindowGoesOn() {
    GuiWindow w;
    QTemporaryDir folder;
    w.AnswerOpen(folder.filePath(QStringLiteral("missing.bin")));
    w.Click(Ctl::btnLoad);
    QCOMPARE(w.Messages(), QStringList{QStringLiteral("File not found.")});
    QCOMPARE(w.Window().windowTitle(), QStringLiteral("Tintorb 2.1"));
    // The next event is handled as usual.
    w.ChooseItem(Ctl::menuLength, tintorb::LengthItemOther);
    QVERIFY(w.Widget(Ctl::editLength)->isVisible());
    QVERIFY(w.DialogsDone());
}

void WindowTest::fileErrorInANestedHandlerEndsTheOuterOne() {
    auto* window = new RecordingWindow;
    GuiWindow w{std::unique_ptr<tintorb::MainWindow>(window)};
    QTemporaryDir folder;
    w.AnswerOpen(tintorb::gui::WriteWordsFile(folder.filePath(QStringLiteral("words.bin")),
                                              std::vector<std::uint16_t>(32, 0)));
    w.Click(Ctl::btnLoad);
    QVERIFY(w.DialogsDone());

    // A press on the browser writes the cell's address into the address box; that box's change handler
    // fails inside the setter, and the failure ends the press handler too: no palette is set up.
    window->failAddressReads = true;
    w.Move(GuiWindow::At(Ctl::areaBrowser, 20, 4));
    w.Press(GuiWindow::At(Ctl::areaBrowser, 20, 4));
    window->failAddressReads = false;
    QCOMPARE(w.Messages(), QStringList{QStringLiteral("Disk full.")});
    QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$2"));
    QCOMPARE(w.Form().State.PalLength, 0);

    // The error released the capture. The button is let go (to confirm the box, a user must), and that
    // release never reaches the browser; the pointer then belongs to whatever area it is over.
    w.Release(GuiWindow::At(Ctl::areaBrowser, 20, 4));
    window->events.clear();
    w.Move(GuiWindow::At(Ctl::areaBrowserOut, 3, 3));
    QCOMPARE(Describe(window->events),
             Describe({Routed(Ctl::areaBrowserOut, MouseAction::Move, MouseButton::Left, 3, 3)}));
}

void WindowTest::keyCharacters_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("character");
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << u"a"_s << uint('a');
    QTest::newRow("Ctrl+V without text") << int(Qt::Key_V) << int(Qt::ControlModifier) << u""_s << 0x16u;
    QTest::newRow("Ctrl+V with the letter as text")
        << int(Qt::Key_V) << int(Qt::ControlModifier) << u"v"_s << 0x16u;
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << u"\r"_s << 13u;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << u""_s << 13u;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier) << u"\b"_s << 8u;
    QTest::newRow("Delete types nothing") << int(Qt::Key_Delete) << int(Qt::NoModifier) << u"\x7f"_s << 0u;
    QTest::newRow("arrow") << int(Qt::Key_Left) << int(Qt::NoModifier) << u""_s << 0u;
    QTest::newRow("AltGr letter") << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::AltModifier) << u"@"_s
                                  << uint('@');
}

void WindowTest::keyCharacters() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(uint, character);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(uint(tintorb::CharacterOf(event)), character);
}

TINTORB_GUI_TEST_MAIN(WindowTest)
#include "window_test.moc"
