// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MainWindow.h"

#include <algorithm>

#include "app/Commands.h"
#include "app/WindowPlacement.h"
#include "platform/BitsView.h"
#include "platform/KeyFilterEdit.h"
#include "platform/LengthMenu.h"
#include "platform/Program.h"
#include "platform/QtText.h"
#include "platform/SurfaceView.h"
#include "platform/ToolWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>

namespace tintorb {

namespace {

// Exactly these buttons: without CustomizeWindowHint some platforms (Windows among them) drop the maximise
// button of a window whose size is fixed, and this window is fixed but may still be maximised.
constexpr Qt::WindowFlags WindowButtons = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, WindowButtons),
      WindowDialogs(static_cast<QWidget&>(*this)),
      WindowShell(static_cast<QMainWindow&>(*this)) {
    setWindowTitle(ToQString(WindowCaption));
    setWindowIcon(ProgramIcon());
    // The menu bar keeps the platform's font; the controls below it have the form's.
    client_ = NewClientArea(this);
    setCentralWidget(client_);
    setAcceptDrops(true);
    move(WindowLeft, WindowTop);
    BuildControls(client_, form_, dispatcher_);
    Connect();
    BuildMenus(form_, dispatcher_, *this, *this);
    BuildStatusBar();
    ConnectShortcuts();
    FixWindowSize();
    form_.FormCreate();
    // The first paint shows the whole surface, so what FormCreate drew needs no present of its own.
    SurfaceWidget()->Show(form_.surface());
    form_.surface().TakeDirty();
}

MainWindow::~MainWindow() {
    DeleteToolWindows();
    // Qt deletes the child widgets only after this object's members, the form among them, are gone. Every
    // link from a widget to the form is cut first, so that nothing a widget sends or receives on its way
    // out can reach a form that no longer exists.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
    SurfaceWidget()->OnMouse({});
    SurfaceWidget()->OnWheel({});
    WidgetAs<KeyFilterEdit>(Ctl::editAddress)->SetKeyFilter({});
    WidgetAs<KeyFilterEdit>(Ctl::editLength)->SetKeyFilter({});
}

void MainWindow::Connect() {
    for (const CommandEntry& command : CommandTable) {
        if (command.control) {
            connect(WidgetAs<QAbstractButton>(*command.control), &QAbstractButton::clicked, this,
                    [this, id = command.id] { dispatcher_.Fire([&] { RunCommand(form_, id); }); });
        }
    }
    const auto change = [this](Ctl control) {
        return [this, control] { dispatcher_.Fire([&] { RunChange(form_, control); }); };
    };
    connect(WidgetAs<LengthMenu>(Ctl::menuLength), &LengthMenu::Changed, this, change(Ctl::menuLength));
    connect(WidgetAs<QLineEdit>(Ctl::editAddress), &QLineEdit::textChanged, this, change(Ctl::editAddress));
    connect(WidgetAs<QLineEdit>(Ctl::editLength), &QLineEdit::textChanged, this, change(Ctl::editLength));
    connect(WidgetAs<QScrollBar>(Ctl::barBrowser), &QScrollBar::valueChanged, this, change(Ctl::barBrowser));
    for (const Ctl control : {Ctl::editAddress, Ctl::editLength}) {
        WidgetAs<KeyFilterEdit>(control)->SetKeyFilter(
            [this, control](char32_t& key) { dispatcher_.Fire([&] { RunKey(form_, control, key); }); });
    }
    SurfaceWidget()->OnMouse([this](const RoutedMouse& event) { DeliverMouse(event); });
    SurfaceWidget()->OnWheel(
        [this](int x, int y, int turn) { dispatcher_.Fire([&] { RunWheel(form_, x, y, turn); }); });
    // The bit view is a control of its own, not a region of the surface, so its presses are not routed.
    connect(WidgetAs<BitsView>(Ctl::editBits), &BitsView::Pressed, this,
            [this](MouseButton button, int x, int y) {
                dispatcher_.Fire([&] { RunMouse(form_, {Ctl::editBits, MouseAction::Down, button, x, y}); });
            });
}

void MainWindow::DeliverMouse(const RoutedMouse& event) {
    dispatcher_.Fire([&] { RunMouse(form_, event); });
}

void MainWindow::Start(const StartOptions& options) {
    dispatcher_.Fire([&] { form_.Start(options); });
}

void MainWindow::KeepOnScreen() {
    const QRect frame = frameGeometry();
    const QRect available = screen()->availableGeometry();
    const Point place =
        PlaceOnScreen(frame.width(), frame.height(),
                      {available.left(), available.top(), available.width(), available.height()},
                      {frame.left(), frame.top()});
    if (place != Point{frame.left(), frame.top()}) {
        move(place.x, place.y);
    }
}

void MainWindow::ReportError(const FileError& error) {
    SurfaceWidget()->ReleaseCapture();
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    ShowError(error);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    dispatcher_.Fire([&] { mayClose = form_.QueryClose(); });
    if (mayClose) {
        if (Finder() != nullptr) {
            Finder()->close();
        }
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    // Maximised, the window grows but nothing in it moves: the added area is plain window background.
    if (event->type() == QEvent::WindowStateChange) {
        if (isMaximized()) {
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!isMinimized()) {
            FixWindowSize();
        }
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::FixWindowSize() {
    // A menu bar that the platform shows outside the window (as macOS does) takes no room in it.
    const int bar = menuBar()->isNativeMenuBar() ? 0 : menuBar()->heightForWidth(ClientWidth);
    setFixedSize(ClientWidth, ClientHeight + std::max(bar, 0) + statusBar()->sizeHint().height());
}

}  // namespace tintorb
