// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// View > Tiles: a tool window beside the main window that shows what the tiles session holds and passes the
// user's input on to it. It holds no behaviour of its own.

#include <functional>

#include <QWidget>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QScrollBar;
class QSpinBox;

namespace tintorb {

class Dispatcher;
class TilesArea;
class TilesLegend;
class TilesSession;

class TilesWindow : public QWidget {
    Q_OBJECT

  public:
    // Every call into the session goes through dispatcher, which shows the file errors that end it.
    TilesWindow(QWidget& parent, TilesSession& session, Dispatcher& dispatcher);
    ~TilesWindow() override;

    // Shows what the session holds now.
    void Present();

    // For the window tests.
    [[nodiscard]] QWidget* Area() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Call(const std::function<void()>& call);
    void BuildControls();
    void Wire();
    void ShowSettings();

    TilesSession& session_;
    Dispatcher& dispatcher_;
    QComboBox* codec_ = nullptr;
    QLineEdit* address_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QComboBox* order_ = nullptr;
    QSpinBox* line_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QCheckBox* transparent_ = nullptr;
    TilesArea* area_ = nullptr;
    QScrollBar* bar_ = nullptr;
    TilesLegend* legend_ = nullptr;
    QLabel* hover_ = nullptr;
    QLabel* status_ = nullptr;
    // Set while the boxes are filled from the session, so that their change signals go nowhere.
    bool showing_ = false;
};

}  // namespace tintorb
