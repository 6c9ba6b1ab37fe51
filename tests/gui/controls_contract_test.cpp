// SPDX-License-Identifier: GPL-3.0-or-later
// The window and the in-memory controls that the unit tests use in its place must behave alike where the
// form relies on it: change handlers fire inside the setter, an unchanged text fires nothing, a scroll bar
// keeps its position within its range, and the length menu's chosen item follows its text.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/GuiSupport.h"
#include "support/MemoryControls.h"
#include "support/SetLog.h"

#include <QComboBox>
#include <QLineEdit>

using tintorb::Ctl;
using tintorb::test::LoggedInside;
using tintorb::test::Logging;

namespace {

// A started form on either implementation.
class Subject {
  public:
    explicit Subject(bool window) {
        if (window) {
            auto controls = std::make_unique<Logging<tintorb::MainWindow>>();
            window_ = controls.get();
            gui_ = std::make_unique<tintorb::gui::GuiWindow>(std::move(controls));
        } else {
            memory_ = std::make_unique<Logging<tintorb::test::MemoryControls>>();
            form_ = std::make_unique<tintorb::TForm1>(*memory_);
            memory_->Attach(*form_);
            form_->FormCreate();
        }
    }

    [[nodiscard]] tintorb::Controls& Controls() const {
        return window_ != nullptr ? static_cast<tintorb::Controls&>(*window_) : *memory_;
    }
    [[nodiscard]] std::vector<std::string>& Log() const {
        return window_ != nullptr ? window_->log : memory_->log;
    }
    // Types into the length menu's edit field over its whole text. The window completes what is typed;
    // the texts typed here are either whole items already or begin no item.
    void TypeMenuText(const std::string& text) const {
        if (window_ != nullptr) {
            qobject_cast<QComboBox*>(window_->WidgetOf(Ctl::menuLength))->lineEdit()->selectAll();
            gui_->Type(Ctl::menuLength, QString::fromStdString(text));
        } else {
            memory_->TypeMenuText(Ctl::menuLength, text);
        }
    }
    [[nodiscard]] bool LengthBoxVisible() const {
        return window_ != nullptr ? window_->WidgetOf(Ctl::editLength)->isVisible()
                                  : memory_->Visible(Ctl::editLength);
    }

  private:
    Logging<tintorb::MainWindow>* window_ = nullptr;
    std::unique_ptr<tintorb::gui::GuiWindow> gui_;
    std::unique_ptr<Logging<tintorb::test::MemoryControls>> memory_;
    std::unique_ptr<tintorb::TForm1> form_;
};

void BothImplementations() {
    QTest::addColumn<bool>("window");
    QTest::newRow("window") << true;
    QTest::newRow("in memory") << false;
}

}  // namespace

class ControlsContractTest : public QObject {
    Q_OBJECT

  private slots:
    void changeHandlersRunInsideTheSetter_data() { BothImplementations(); }
    void changeHandlersRunInsideTheSetter();
    void unchangedTextFiresNothing_data() { BothImplementations(); }
    void unchangedTextFiresNothing();
    void scrollPositionStaysInRange_data() { BothImplementations(); }
    void scrollPositionStaysInRange();
    void lengthMenuItemFollowsItsText_data() { BothImplementations(); }
    void lengthMenuItemFollowsItsText();
};

void ControlsContractTest::changeHandlersRunInsideTheSetter() {
    QFETCH(bool, window);
    const Subject s(window);
    tintorb::Controls& controls = s.Controls();
    // The address box's handler puts "$" before a text with a letter; the text it sets fires it again,
    // and that second run reads the new text while the handler's own set is still going on.
    controls.SetText(Ctl::editAddress, "1F");
    QCOMPARE(controls.Text(Ctl::editAddress), std::string("$1F"));
    QVERIFY(LoggedInside(s.Log(), "set 1F", "read 1F"));
    QVERIFY(LoggedInside(s.Log(), "set 1F", "set $1F"));
    QVERIFY(LoggedInside(s.Log(), "set $1F", "read $1F"));
    controls.SetText(Ctl::editLength, "zz");
    QCOMPARE(controls.Text(Ctl::editLength), std::string("0"));
}

void ControlsContractTest::unchangedTextFiresNothing() {
    QFETCH(bool, window);
    const Subject s(window);
    s.Controls().SetText(Ctl::editAddress, "12");
    s.Log().clear();
    s.Controls().SetText(Ctl::editAddress, "12");
    QCOMPARE(s.Log(), (std::vector<std::string>{"set 12", "set done"}));
}

void ControlsContractTest::scrollPositionStaysInRange() {
    QFETCH(bool, window);
    const Subject s(window);
    tintorb::Controls& controls = s.Controls();
    controls.SetScrollMax(Ctl::barBrowser, 10);
    controls.SetScrollPos(Ctl::barBrowser, 7);
    QCOMPARE(controls.Text(Ctl::lblBrowser), std::string("Top Left: $1C0"));
    // Lowering the maximum below the position pulls the position down, and the browser follows at once.
    controls.SetScrollMax(Ctl::barBrowser, 3);
    QCOMPARE(controls.ScrollPos(Ctl::barBrowser), 3);
    QCOMPARE(controls.Text(Ctl::lblBrowser), std::string("Top Left: $C0"));
    controls.SetScrollPos(Ctl::barBrowser, 50);
    QCOMPARE(controls.ScrollPos(Ctl::barBrowser), 3);
    controls.SetScrollPos(Ctl::barBrowser, -5);
    QCOMPARE(controls.ScrollPos(Ctl::barBrowser), 0);
    QCOMPARE(controls.Text(Ctl::lblBrowser), std::string("Top Left: $0"));
}

void ControlsContractTest::lengthMenuItemFollowsItsText() {
    QFETCH(bool, window);
    const Subject s(window);
    tintorb::Controls& controls = s.Controls();
    controls.SetText(Ctl::menuLength, "Other");
    QCOMPARE(controls.ItemIndex(Ctl::menuLength), tintorb::LengthItemOther);
    QVERIFY(s.LengthBoxVisible());
    controls.SetText(Ctl::menuLength, "7");
    QCOMPARE(controls.ItemIndex(Ctl::menuLength), -1);
    controls.SetText(Ctl::menuLength, "$20");
    QCOMPARE(controls.ItemIndex(Ctl::menuLength), 2);
    QVERIFY(!s.LengthBoxVisible());
    // Typed text chooses the item it spells exactly, and none when it spells no item.
    s.TypeMenuText("Other");
    QCOMPARE(controls.ItemIndex(Ctl::menuLength), tintorb::LengthItemOther);
    QVERIFY(s.LengthBoxVisible());
    s.TypeMenuText("7");
    QCOMPARE(controls.Text(Ctl::menuLength), std::string("7"));
    QCOMPARE(controls.ItemIndex(Ctl::menuLength), -1);
    QVERIFY(!s.LengthBoxVisible());
}

TINTORB_GUI_TEST_MAIN(ControlsContractTest)
#include "controls_contract_test.moc"
