// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the real window in a window test, the way a user would: it starts the window offscreen, clicks and
// types at layout (client) coordinates, below the menu bar, through the window system, reads back what the
// window shows, and answers the file and colour dialogs and the error boxes that the window opens.
//
// Typical use, in a Qt Test slot:
//
//     tintorb::gui::GuiWindow w;                           // started, shown, active
//     w.AnswerOpen(path);                                  // the next dialog is an open dialog: pick path
//     w.Click(tintorb::Ctl::btnLoad);                      // "Load File or ROM"
//     w.Click(w.At(tintorb::Ctl::areaBrowser, 20, 4));     // second cell of the browser's first row
//     QCOMPARE(w.Pixel(430, 40), QColor(255, 255, 255));  // client coordinates
//     QVERIFY(w.DialogsDone());                            // every scripted answer was used
//
// The test executable must call PrepareApplication() before the first window (QTEST_MAIN does not); the
// TINTORB_GUI_TEST_MAIN(TestClass) macro below does that and runs the test class. Tests run with
// QT_QPA_PLATFORM=offscreen (CTest sets it).

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "app/Generic.h"
#include "app/Layout.h"
#include "platform/MainWindow.h"

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace tintorb::gui {

// Once per test executable, after the QApplication exists: dialogs become Qt's own widgets (which a test can
// fill in), the application gets its name, and its settings go to a scratch folder.
void PrepareApplication();

class GuiWindow : public QObject {
    Q_OBJECT

  public:
    // Shows the given window (a plain MainWindow when none is given, or a test's subclass of it), and waits
    // until it is exposed and active.
    explicit GuiWindow(std::unique_ptr<MainWindow> window = nullptr);
    ~GuiWindow() override;

    [[nodiscard]] MainWindow& Window() const { return *window_; }
    [[nodiscard]] TForm1& Form() const { return window_->Form(); }

    // The widget of a control (an area answers the surface view that it is a region of).
    [[nodiscard]] QWidget* Widget(Ctl c) const { return window_->WidgetOf(c); }
    template <class W>
    [[nodiscard]] W* WidgetAs(Ctl c) const {
        return qobject_cast<W*>(Widget(c));
    }
    // The client point at (x, y) relative to a control's layout rectangle.
    [[nodiscard]] static QPoint At(Ctl c, int x, int y);
    // The centre of a control's layout rectangle.
    [[nodiscard]] static QPoint CentreOf(Ctl c);
    // A client point in the coordinates of the whole window, menu bar included.
    [[nodiscard]] QPoint ToWindow(QPoint client) const;

    // The pointer, at client coordinates, sent through the window system: the event reaches whatever
    // widget lies there (or the one holding the mouse), exactly as a real pointer's would. A move carries
    // the buttons still held from earlier presses.
    void Press(QPoint client, Qt::MouseButton button = Qt::LeftButton);
    void Release(QPoint client, Qt::MouseButton button = Qt::LeftButton);
    void Move(QPoint client);
    void Click(QPoint client, Qt::MouseButton button = Qt::LeftButton);
    void DoubleClick(QPoint client, Qt::MouseButton button = Qt::LeftButton);
    // Clicks the centre of a control (a button, the check box, ...).
    void Click(Ctl c, Qt::MouseButton button = Qt::LeftButton);

    // The keyboard. Type gives the control the focus and types the text, one key per character;
    // Key sends one key (e.g. Qt::Key_V with Qt::ControlModifier) to the control, focusing it first.
    void Type(Ctl c, const QString& text);
    void Key(Ctl c, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Chooses an item of the length menu from its drop-down list, as a user's click on it would.
    void ChooseItem(Ctl c, int index);

    // What the window shows below the menu bar: its client area as the screen has it, and one pixel of it;
    // and the client area rendered afresh from the widgets' state, which the screen must match.
    [[nodiscard]] QImage Grab() const;
    [[nodiscard]] QImage Render() const;
    [[nodiscard]] QColor Pixel(int x, int y) const;
    [[nodiscard]] QString TextOf(Ctl c) const { return QString::fromStdString(window_->Text(c)); }
    // The caption as the window system shows it, with the mark of unsaved changes resolved.
    [[nodiscard]] QString ShownCaption() const;

    // Answers for the next dialogs the window opens, first in first out. A dialog that opens with no
    // answer waiting is cancelled and counted as unexpected.
    void AnswerOpen(const QString& path);
    void AnswerSave(const QString& path);
    void AnswerColour(const QColor& colour);
    // Types the text into the next text prompt (the title of a palette) and confirms it.
    void AnswerTitle(const QString& text);
    void CancelNextDialog();
    // Answers the next question box with its first button of this role (Save and Overwrite are accept,
    // Discard destructive, Cancel reject).
    void AnswerQuestion(QMessageBox::ButtonRole role);
    // Whether every answer was used and no dialog opened unexpectedly.
    [[nodiscard]] bool DialogsDone() const { return answers_.empty() && unexpectedDialogs_ == 0; }
    [[nodiscard]] int UnexpectedDialogs() const { return unexpectedDialogs_; }

    // Error boxes are confirmed with OK as soon as they open; their texts, in order.
    [[nodiscard]] const QStringList& Messages() const { return messages_; }
    // The texts of the questions answered, in order.
    [[nodiscard]] const QStringList& Questions() const { return questions_; }

  private:
    enum class AnswerKind { Open, Save, Colour, Title, Cancel, Question };
    struct Answer {
        AnswerKind kind;
        QString path;
        QColor colour;
        QMessageBox::ButtonRole role = QMessageBox::InvalidRole;
    };

    void AnswerMessageBox(QMessageBox* box);

    void AnswerModalDialogs();
    void Focus(Ctl c);

    std::unique_ptr<MainWindow> window_;
    QTimer watcher_;
    std::deque<Answer> answers_;
    QStringList messages_;
    QStringList questions_;
    int unexpectedDialogs_ = 0;
};

// A colour as the window paints it.
[[nodiscard]] QColor ColourOf(Rgb c);

// Big-endian bytes of the words, as a file holds them.
[[nodiscard]] QByteArray WordBytes(const std::vector<std::uint16_t>& words);

// Writes the words, big-endian, to path (failing the test run if it cannot) and returns path.
QString WriteWordsFile(const QString& path, const std::vector<std::uint16_t>& words);

// The whole content of a file, empty when it cannot be read.
[[nodiscard]] QByteArray ReadFileBytes(const QString& path);

}  // namespace tintorb::gui

// A main() for a window test: the application, PrepareApplication, then the test class's slots.
#define TINTORB_GUI_TEST_MAIN(TestClass)        \
    int main(int argc, char* argv[]) {          \
        QApplication app(argc, argv);           \
        tintorb::gui::PrepareApplication();     \
        TestClass test;                         \
        QTEST_SET_MAIN_SOURCE_PATH              \
        return QTest::qExec(&test, argc, argv); \
    }
