#include "platform/MainWindow.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/Commands.h"
#include "app/ErrorMessage.h"
#include "platform/Bevel.h"
#include "platform/BitsView.h"
#include "platform/FinderWindow.h"
#include "platform/KeyFilterEdit.h"
#include "platform/LengthMenu.h"
#include "platform/ListingEdit.h"
#include "platform/QtText.h"
#include "platform/SurfaceView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace tintorb {

namespace {

// Exactly these buttons: without CustomizeWindowHint some platforms (Windows among them) drop the maximise
// button of a window whose size is fixed, and this window is fixed but may still be maximised.
constexpr Qt::WindowFlags WindowButtons = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;

// The gap between the address caption and the box below it.
constexpr int CaptionGap = 3;

// The first of the families that is installed, else the platform's own font of the kind. Naming an
// installed family spares every font lookup the search for a stand-in, which took a tenth of start-up,
// and text in a stand-in font shaped slower on every paint.
[[nodiscard]] QString InstalledFamily(std::initializer_list<QStringView> preferred,
                                      QFontDatabase::SystemFont kind) {
    // Looked up in the list itself: QFontDatabase::hasFamily asks fontconfig for aliases, a search each.
    const QStringList installed = QFontDatabase::families();
    for (const QStringView family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family.toString();
        }
    }
    return QFontDatabase::systemFont(kind).family();
}

// The window's font; where "MS Sans Serif" is missing a sans serif of the same height stands in.
[[nodiscard]] QFont FormFont() {
    static const QString family = InstalledFamily({u"MS Sans Serif", u"Microsoft Sans Serif", u"DejaVu Sans"},
                                                  QFontDatabase::GeneralFont);
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

// "Courier New", or a monospaced font where it is missing.
[[nodiscard]] QFont CourierFont(int pixelSize, bool bold) {
    static const QString family =
        InstalledFamily({u"Courier New", u"DejaVu Sans Mono"}, QFontDatabase::FixedFont);
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Captions were laid out for "MS Sans Serif"; where a wider font stands in, a caption that would be cut off
// is drawn just narrow enough to fit its control whole.
void NarrowToFit(QAbstractButton* button, int available) {
    QFont font = button->font();
    const QString caption = button->text();
    const int natural = QFontMetrics(font).horizontalAdvance(caption);
    if (natural <= available || natural == 0) {
        return;
    }
    constexpr int NarrowestStretch = 60;
    int stretch = std::max(NarrowestStretch, 100 * available / natural);
    font.setStretch(stretch);
    while (stretch > NarrowestStretch && QFontMetrics(font).horizontalAdvance(caption) > available) {
        font.setStretch(--stretch);
    }
    button->setFont(font);
}

// The room a button's or check box's caption has inside the control.
[[nodiscard]] int CaptionRoom(const QAbstractButton* button) {
    constexpr int Air = 8;
    if (qobject_cast<const QCheckBox*>(button) != nullptr) {
        const QStyle* style = button->style();
        return button->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) -
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button) - Air / 2;
    }
    return button->width() - Air;
}

// Four palette cells: what the program is about, at a glance in the task bar.
[[nodiscard]] QIcon ProgramIcon() {
    QPixmap pixmap(32, 32);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, 16, 16, QColor(255, 0, 0));
    painter.fillRect(16, 0, 16, 16, QColor(0, 172, 0));
    painter.fillRect(0, 16, 16, 16, QColor(0, 0, 255));
    painter.fillRect(16, 16, 16, 16, QColor(255, 255, 255));
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 31, 31);
    return QIcon(pixmap);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent, WindowButtons) {
    setWindowTitle(ToQString(WindowCaption));
    setWindowIcon(ProgramIcon());
    // The menu bar keeps the platform's font; the controls below it have the form's.
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->setFont(FormFont());
    client_->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client_);
    setAcceptDrops(true);
    move(WindowLeft, WindowTop);
    BuildControls();
    SetTabOrder();
    Connect();
    FixWindowSize();
    form_.FormCreate();
    // The first paint shows the whole surface, so what FormCreate drew needs no present of its own.
    surface_->Show(form_.surface());
    form_.surface().TakeDirty();
}

MainWindow::~MainWindow() {
    // The tool window reads the form; it goes, and its work stops, while the form is still there.
    delete finder_;
    // Qt deletes the child widgets only after this object's members, the form among them, are gone. Every
    // link from a widget to the form is cut first, so that nothing a widget sends or receives on its way
    // out can reach a form that no longer exists.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
    surface_->OnMouse({});
    editAddress_->SetKeyFilter({});
    editLength_->SetKeyFilter({});
}

QWidget* MainWindow::WidgetOf(Ctl c) const {
    return LayoutOf(c).kind == ControlKind::Area ? surface_ : widgets_[static_cast<std::size_t>(c)];
}

void MainWindow::BuildControls() {
    // Creation order is stacking order: each widget lies above the ones made before it.
    for (const ControlLayout& entry : Layout) {
        QWidget* widget = BuildControl(entry);
        widgets_[static_cast<std::size_t>(entry.id)] = widget;
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(ToQString(entry.name));
        widget->setVisible(entry.visible);
        widget->setEnabled(entry.enabled);
        if (entry.id == Ctl::editAddress) {
            BuildAddressCaption();
        }
    }
}

QWidget* MainWindow::BuildControl(const ControlLayout& entry) {
    const Rect r = entry.rect;
    const QString text = ToQString(entry.text);
    QWidget* widget = nullptr;
    switch (entry.kind) {
        case ControlKind::Image:
            surface_ = new SurfaceView(client_);
            surface_->OnMouse([this](const RoutedMouse& event) { DeliverMouse(event); });
            surface_->setGeometry(0, 0, ClientWidth, ClientHeight);
            return surface_;
        case ControlKind::Area:
            return nullptr;  // a region of the surface view, not a widget
        case ControlKind::Label: {
            auto* label = new QLabel(text, client_);
            label->move(r.left, r.top);
            FitLabel(label);
            return label;
        }
        case ControlKind::Bevel:
            widget = new Bevel(client_);
            break;
        case ControlKind::CheckBox:
            widget = chkInvalid_ = new QCheckBox(text, client_);
            break;
        case ControlKind::PushButton:
            widget = new QPushButton(text, client_);
            break;
        case ControlKind::DropDown:
            widget = menuLength_ = new LengthMenu(client_);
            break;
        case ControlKind::Edit: {
            auto* edit = new KeyFilterEdit(client_);
            (entry.id == Ctl::editAddress ? editAddress_ : editLength_) = edit;
            widget = edit;
            break;
        }
        case ControlKind::Memo: {
            memoASM_ = new ListingEdit(client_);
            memoASM_->setFont(CourierFont(11, false));
            QPalette palette = memoASM_->palette();
            palette.setColor(QPalette::Text, Qt::black);
            memoASM_->setPalette(palette);
            memoASM_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            memoASM_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            memoASM_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            memoASM_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            // Tab moves on through the tab order, as in every other box, rather than typing a tab.
            memoASM_->setTabChangesFocus(true);
            widget = memoASM_;
            break;
        }
        case ControlKind::ScrollBar:
            barBrowser_ = new QScrollBar(Qt::Vertical, client_);
            barBrowser_->setRange(0, 0);
            barBrowser_->setSingleStep(1);
            barBrowser_->setPageStep(BrowserLargeChange);
            barBrowser_->setFocusPolicy(Qt::TabFocus);
            widget = barBrowser_;
            break;
        case ControlKind::BitView:
            editBits_ = new BitsView(client_);
            editBits_->setFont(CourierFont(19, true));
            editBits_->SetText(text);
            widget = editBits_;
            break;
    }
    widget->setGeometry(r.left, r.top, r.width, r.height);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        NarrowToFit(button, CaptionRoom(button));
    }
    return widget;
}

// The address box's caption sits just above it, as a labelled edit box places its label.
void MainWindow::BuildAddressCaption() {
    addressCaption_ = new QLabel(ToQString(AddressCaption), client_);
    addressCaption_->setObjectName(QStringLiteral("editAddressCaption"));
    FitLabel(addressCaption_);
    const Rect box = RectOf(Ctl::editAddress);
    addressCaption_->move(box.left, box.top - addressCaption_->height() - CaptionGap);
}

// Labels size themselves to their text and paint their own background behind it; the pointer passes
// through them to the areas below.
void MainWindow::FitLabel(QLabel* label) {
    label->setAutoFillBackground(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->resize(label->sizeHint());
}

void MainWindow::SetTabOrder() {
    for (std::size_t i = 1; i < TabOrder.size(); ++i) {
        QWidget::setTabOrder(widgets_[static_cast<std::size_t>(TabOrder[i - 1])],
                             widgets_[static_cast<std::size_t>(TabOrder[i])]);
    }
}

void MainWindow::Connect() {
    for (const CommandEntry& command : CommandTable) {
        if (command.control) {
            auto* button =
                qobject_cast<QAbstractButton*>(widgets_[static_cast<std::size_t>(*command.control)]);
            connect(button, &QAbstractButton::clicked, this, [this, id = command.id] { Run(id); });
        }
    }
    connect(menuLength_, &LengthMenu::Changed, this, [this] { Changed(Ctl::menuLength); });
    connect(editAddress_, &QLineEdit::textChanged, this, [this] { Changed(Ctl::editAddress); });
    connect(editLength_, &QLineEdit::textChanged, this, [this] { Changed(Ctl::editLength); });
    connect(barBrowser_, &QScrollBar::valueChanged, this, [this] { Changed(Ctl::barBrowser); });
    for (KeyFilterEdit* edit : {editAddress_, editLength_}) {
        const Ctl control = edit == editAddress_ ? Ctl::editAddress : Ctl::editLength;
        edit->SetKeyFilter([this, control](char32_t& key) { Fire([&] { RunKey(form_, control, key); }); });
    }
    // The bit view is a control of its own, not a region of the surface, so its presses are not routed.
    connect(editBits_, &BitsView::Pressed, this, [this](MouseButton button, int x, int y) {
        Fire([&] { RunMouse(form_, {Ctl::editBits, MouseAction::Down, button, x, y}); });
    });
    BuildMenus();
    ConnectShortcuts();
}

void MainWindow::Run(Command command) {
    Fire([this, command] { RunCommand(form_, command); });
}

void MainWindow::Changed(Ctl control) {
    Fire([this, control] { RunChange(form_, control); });
}

void MainWindow::DeliverMouse(const RoutedMouse& event) {
    Fire([&] { RunMouse(form_, event); });
}

template <class Handler>
void MainWindow::Fire(Handler&& handler) {
    std::optional<FileError> error;
    ++fireDepth_;
    try {
        handler();
    } catch (const FileError& e) {
        error = e;
    }
    --fireDepth_;
    if (fireDepth_ > 0) {
        // Fired by a setter inside another handler: the error ends that handler too, once the setter returns.
        if (error) {
            pendingError_ = std::move(error);
        }
        return;
    }
    if (!error) {
        error = std::exchange(pendingError_, std::nullopt);
    }
    if (error) {
        ShowError(*error);
    }
    RefreshCommands();
}

void MainWindow::Dispatch(const std::function<void()>& handler) {
    Fire(handler);
}

void MainWindow::Start(const StartOptions& options) {
    Fire([&] { form_.Start(options); });
}

void MainWindow::RethrowPending() {
    if (pendingError_) {
        const FileError error = *std::exchange(pendingError_, std::nullopt);
        throw error;
    }
}

void MainWindow::ShowError(const FileError& error) {
    surface_->ReleaseCapture();
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    QMessageBox::critical(this, QCoreApplication::applicationName(),
                          QString::fromStdString(ErrorMessageText(error.what())), QMessageBox::Ok);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Fire([&] { mayClose = form_.QueryClose(); });
    if (mayClose) {
        if (finder_ != nullptr) {
            finder_->close();
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
    setFixedSize(ClientWidth, ClientHeight + std::max(bar, 0));
}

}  // namespace tintorb
