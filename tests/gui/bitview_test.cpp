// SPDX-License-Identifier: GPL-3.0-or-later
// The bit view and the listing box as the real window paints them.

#include <array>
#include <cstdlib>

#include "model/NumberText.h"
#include "support/GuiSupport.h"
#include "support/StateAccess.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace tintorb::gui {

namespace {

[[nodiscard]] int Distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// What one digit cell of the bit view shows.
struct DigitInk {
    int leftmost = -1;  // first column with ink, from the cell's left edge; -1 when the cell is blank
    QColor strongest;   // the pixel that differs most from the background
};

[[nodiscard]] DigitInk InkOfCell(const QImage& image, const QRect& view, int cell, const QColor& background) {
    DigitInk ink;
    int strongest = 0;
    for (int dx = 0; dx < 11; ++dx) {
        for (int y = view.top(); y <= view.bottom(); ++y) {
            const QColor pixel = image.pixelColor(view.left() + 11 * cell + dx, y);
            const int d = Distance(pixel, background);
            if (d > 120 && ink.leftmost < 0) {
                ink.leftmost = dx;
            }
            if (d > strongest) {
                strongest = d;
                ink.strongest = pixel;
            }
        }
    }
    return ink;
}

}  // namespace

class BitViewTest : public QObject {
    Q_OBJECT

  private slots:
    void DigitsStandElevenPixelsApartInTheirRunColours() {
        GuiWindow w;
        w.Form().ShowBits(0x0EEE);
        const QRect view(RectOf(Ctl::editBits).left, RectOf(Ctl::editBits).top, RectOf(Ctl::editBits).width,
                         RectOf(Ctl::editBits).height);
        const QImage image = w.Grab();
        // Past the sixteenth cell the view shows only its background.
        const QColor background = image.pixelColor(view.left() + 182, view.top() + view.height() / 2);

        const QColor black(0, 0, 0), blue(0, 0, 255), green(0, 128, 0), red(255, 0, 0);
        const std::array<QColor, 16> colours{black, black, black, black, blue, blue, blue, black,
                                             green, green, green, black, red,  red,  red,  black};
        const QString digits = QStringLiteral("0000111011101110");
        std::array<int, 2> leftmostOf{-1, -1};  // for '0' and '1'
        for (int cell = 0; cell < 16; ++cell) {
            const DigitInk ink = InkOfCell(image, view, cell, background);
            QVERIFY2(ink.leftmost >= 0, qPrintable(QStringLiteral("cell %1 is blank").arg(cell)));
            QVERIFY2(Distance(ink.strongest, colours[cell]) <= 90,
                     qPrintable(QStringLiteral("cell %1 shows %2").arg(cell).arg(ink.strongest.name())));
            // The same digit stands at the same place of every cell: the cells are exactly 11 pixels wide.
            int& expected = leftmostOf[digits[cell] == QLatin1Char('1') ? 1 : 0];
            if (expected < 0) {
                expected = ink.leftmost;
            }
            QCOMPARE(ink.leftmost, expected);
        }
    }

    void ListingShowsThePaletteWithTheSelectedEntryHighlighted() {
        GuiWindow w;
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < 20; ++i) {
            bytes.push_back(0x0E);
            bytes.push_back(static_cast<std::uint8_t>(i));
        }
        tintorb::test::Mutable(w.Form()).FileData = bytes;
        tintorb::test::Mutable(w.Form()).PalLength = 20;
        tintorb::test::Mutable(w.Form()).SelStart = 17;
        tintorb::test::Mutable(w.Form()).SelEnd = 17;
        w.Form().WriteListing();

        auto* memo = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
        QVERIFY(memo != nullptr);
        QCOMPARE(memo->document()->blockCount(), 2);
        QCOMPARE(
            memo->document()->findBlockByNumber(0).text(),
            QStringLiteral("dc.w $0E00,$0E01,$0E02,$0E03,$0E04,$0E05,$0E06,$0E07,$0E08,$0E09,$0E0A,$0E0B,"
                           "$0E0C,$0E0D,$0E0E,$0E0F"));
        QCOMPARE(memo->document()->findBlockByNumber(1).text(),
                 QStringLiteral("dc.w $0E10,$0E11,$0E12,$0E13"));
        QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("$0E11"));
        QCOMPARE(w.Window().focusWidget(), memo);

        // The highlight is painted over the selected entry's text and nowhere else on its line.
        QTextCursor from = memo->textCursor();
        from.setPosition(memo->textCursor().selectionStart());
        QTextCursor to = memo->textCursor();
        to.setPosition(memo->textCursor().selectionEnd());
        const QRect start = memo->cursorRect(from);
        const QRect end = memo->cursorRect(to);
        const QImage shown = memo->viewport()->grab().toImage();
        const QColor highlight = memo->palette().color(QPalette::Active, QPalette::Highlight);
        int inside = 0;
        int outside = 0;
        for (int x = 0; x < shown.width(); ++x) {
            for (int y = start.top(); y <= start.bottom(); ++y) {
                if (Distance(shown.pixelColor(x, y), highlight) < 30) {
                    // The cursor rectangles stand a pixel or so off the highlight's edges.
                    (x >= start.left() - 2 && x <= end.left() + 2 ? inside : outside) += 1;
                }
            }
        }
        QVERIFY(inside > 0);
        QCOMPARE(outside, 0);
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::BitViewTest)
#include "bitview_test.moc"
