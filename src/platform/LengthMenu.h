#pragma once

// The length menu: a drop-down list whose text may also be typed. Typed text is completed to the first
// item that begins with it, case ignored, and once text was typed the menu has no chosen item (-1) until
// an item is chosen from the list again.

#include <QComboBox>
#include <QString>

namespace tintorb {

class LengthMenu : public QComboBox {
    Q_OBJECT

  public:
    explicit LengthMenu(QWidget* parent);

    // The chosen item, -1 after typing.
    [[nodiscard]] int ItemIndex() const { return typed_ ? -1 : currentIndex(); }
    // Sets the text from code: an item's exact text chooses that item, any other text stands as typed.
    void SetText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The text or the chosen item changed, by the user or by SetText.
    void Changed();

  private:
    void Typed(const QString& text);
    void IndexChanged();
    void Activated();

    bool typed_ = false;
    // The key that made the latest edit erased text; erasing the completed tail must not bring it back.
    bool erasing_ = false;
};

}  // namespace tintorb
