// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GuiSupport.h"

#include "platform/Program.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>

namespace tintorb::gui {

namespace {

// The pause between two polls for a modal dialog.
constexpr int WatchIntervalMs = 10;

[[nodiscard]] QWidget* OpenModalDialog() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    // Offscreen, a modal dialog is not always the active one; any visible dialog will do.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->isModal()) {
            return top;
        }
    }
    return nullptr;
}

}  // namespace

void PrepareApplication() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    SetProgramIdentity();
    // The tests' settings (the recent files among them) live in a folder of their own, never the user's.
    static const QTemporaryDir settings;
    QCoreApplication::setOrganizationName(QStringLiteral("Tintorb window tests"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    // A blinking caret would make what the screen shows depend on the moment it is looked at.
    QApplication::setCursorFlashTime(0);
}

GuiWindow::GuiWindow(std::unique_ptr<MainWindow> window)
    : window_(window ? std::move(window) : std::make_unique<MainWindow>()) {
    connect(&watcher_, &QTimer::timeout, this, &GuiWindow::AnswerModalDialogs);
    watcher_.start(WatchIntervalMs);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    // Nothing can be tested on a window that never appeared. Activation is only hoped for: the offscreen
    // platform activates a shown window at once, but a display without a window manager never does, and
    // the focus checks read the focus from the window itself, which does not need it.
    if (!QTest::qWaitForWindowExposed(window_.get())) {
        qFatal("the window was not exposed");
    }
    if (!QTest::qWaitForWindowActive(window_.get())) {
        qWarning("the window did not become active");
    }
}

GuiWindow::~GuiWindow() = default;

QPoint GuiWindow::At(Ctl c, int x, int y) {
    const Rect r = RectOf(c);
    return {r.left + x, r.top + y};
}

QPoint GuiWindow::CentreOf(Ctl c) {
    const Rect r = RectOf(c);
    return At(c, r.width / 2, r.height / 2);
}

QPoint GuiWindow::ToWindow(QPoint client) const {
    return window_->ClientArea()->mapTo(window_.get(), client);
}

void GuiWindow::Press(QPoint client, Qt::MouseButton button) {
    QTest::mousePress(window_->windowHandle(), button, Qt::NoModifier, ToWindow(client));
}

void GuiWindow::Release(QPoint client, Qt::MouseButton button) {
    QTest::mouseRelease(window_->windowHandle(), button, Qt::NoModifier, ToWindow(client));
}

void GuiWindow::Move(QPoint client) {
    QTest::mouseMove(window_->windowHandle(), ToWindow(client));
}

void GuiWindow::Click(QPoint client, Qt::MouseButton button) {
    QTest::mouseClick(window_->windowHandle(), button, Qt::NoModifier, ToWindow(client));
}

void GuiWindow::DoubleClick(QPoint client, Qt::MouseButton button) {
    QTest::mouseDClick(window_->windowHandle(), button, Qt::NoModifier, ToWindow(client));
}

void GuiWindow::Click(Ctl c, Qt::MouseButton button) {
    Click(CentreOf(c), button);
}

void GuiWindow::Focus(Ctl c) {
    // A user types into the window they see in front; offscreen, a closed dialog hands the activation
    // back to nobody, and the window's shortcuts answer only while it is active.
    if (QApplication::activeWindow() != window_.get()) {
        QApplication::setActiveWindow(window_.get());
    }
    QWidget* widget = Widget(c);
    widget->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void GuiWindow::Type(Ctl c, const QString& text) {
    Focus(c);
    QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : Widget(c), text);
}

void GuiWindow::Key(Ctl c, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Focus(c);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Widget(c), key, modifiers);
}

void GuiWindow::ChooseItem(Ctl c, int index) {
    auto* combo = WidgetAs<QComboBox>(c);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    if (!QTest::qWaitForWindowExposed(list->window())) {
        qWarning("the length menu's list did not open");
    }
    const QModelIndex item = list->model()->index(index, combo->modelColumn(), list->rootIndex());
    list->scrollTo(item);
    const QPoint centre = list->visualRect(item).center();
    // A click on an item of the open list chooses it and closes the list.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QApplication::processEvents();
}

QImage GuiWindow::Grab() const {
    // What the screen shows once every pending paint is done: pixels drawn but never presented show up
    // here as the old ones, which a fresh rendering of the widgets would hide.
    QApplication::processEvents();
    const QPoint origin = ToWindow({0, 0});
    return window_->screen()
        ->grabWindow(window_->winId(), origin.x(), origin.y(), ClientWidth, ClientHeight)
        .toImage();
}

QImage GuiWindow::Render() const {
    return window_->grab(QRect(ToWindow({0, 0}), QSize(ClientWidth, ClientHeight))).toImage();
}

QColor GuiWindow::Pixel(int x, int y) const {
    return Grab().pixelColor(x, y);
}

void GuiWindow::AnswerOpen(const QString& path) {
    answers_.push_back({AnswerKind::Open, path, {}});
}

void GuiWindow::AnswerSave(const QString& path) {
    answers_.push_back({AnswerKind::Save, path, {}});
}

void GuiWindow::AnswerColour(const QColor& colour) {
    answers_.push_back({AnswerKind::Colour, {}, colour});
}

void GuiWindow::AnswerTitle(const QString& text) {
    answers_.push_back({AnswerKind::Title, text, {}});
}

void GuiWindow::CancelNextDialog() {
    answers_.push_back({AnswerKind::Cancel, {}, {}});
}

void GuiWindow::AnswerQuestion(QMessageBox::ButtonRole role) {
    answers_.push_back({AnswerKind::Question, {}, {}, role});
}

QString GuiWindow::ShownCaption() const {
    return window_->windowHandle()->title();
}

// An error box has only OK; a question takes the scripted answer, or is cancelled as unexpected.
void GuiWindow::AnswerMessageBox(QMessageBox* box) {
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        messages_.append(box->text());
        ok->click();
        return;
    }
    questions_.append(box->text());
    if (answers_.empty() || answers_.front().kind != AnswerKind::Question) {
        ++unexpectedDialogs_;
        box->button(QMessageBox::Cancel)->click();
        return;
    }
    const QMessageBox::ButtonRole role = answers_.front().role;
    answers_.pop_front();
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == role) {
            button->click();
            return;
        }
    }
    ++unexpectedDialogs_;
    box->button(QMessageBox::Cancel)->click();
}

void GuiWindow::AnswerModalDialogs() {
    QWidget* modal = OpenModalDialog();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        AnswerMessageBox(box);
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr) {
        return;
    }
    if (answers_.empty()) {
        ++unexpectedDialogs_;
        dialog->reject();
        return;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    auto* colourDialog = qobject_cast<QColorDialog*>(dialog);
    auto* inputDialog = qobject_cast<QInputDialog*>(dialog);
    const bool fits = (answer.kind == AnswerKind::Cancel) ||
                      (fileDialog && answer.kind == AnswerKind::Open &&
                       fileDialog->acceptMode() == QFileDialog::AcceptOpen) ||
                      (fileDialog && answer.kind == AnswerKind::Save &&
                       fileDialog->acceptMode() == QFileDialog::AcceptSave) ||
                      (colourDialog && answer.kind == AnswerKind::Colour) ||
                      (inputDialog && answer.kind == AnswerKind::Title);
    if (!fits) {
        ++unexpectedDialogs_;
        dialog->reject();
        return;
    }
    switch (answer.kind) {
        case AnswerKind::Cancel:
        case AnswerKind::Question:  // never fits a dialog
            dialog->reject();
            break;
        case AnswerKind::Open:
        case AnswerKind::Save:
            fileDialog->selectFile(answer.path);
            dialog->accept();  // through QDialog, where accept() is public
            break;
        case AnswerKind::Colour:
            colourDialog->setCurrentColor(answer.colour);
            dialog->accept();
            break;
        case AnswerKind::Title:
            inputDialog->setTextValue(answer.path);
            dialog->accept();
            break;
    }
}

QColor ColourOf(Rgb c) {
    return {c.r, c.g, c.b};
}

QByteArray WordBytes(const std::vector<std::uint16_t>& words) {
    QByteArray bytes;
    for (const std::uint16_t word : words) {
        bytes.append(static_cast<char>(word >> 8));
        bytes.append(static_cast<char>(word & 0xFF));
    }
    return bytes;
}

QString WriteWordsFile(const QString& path, const std::vector<std::uint16_t>& words) {
    const QByteArray bytes = WordBytes(words);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace tintorb::gui
