// SPDX-License-Identifier: GPL-3.0-or-later
// The form's controls built as widgets from the layout table, in the form's fonts.

#include "platform/WidgetControls.h"

#include <algorithm>
#include <initializer_list>

#include "app/Generic.h"
#include "app/Tips.h"
#include "platform/Bevel.h"
#include "platform/BitsView.h"
#include "platform/KeyFilterEdit.h"
#include "platform/LengthMenu.h"
#include "platform/ListingEdit.h"
#include "platform/QtText.h"
#include "platform/SurfaceView.h"

#include <QCheckBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace tintorb {

namespace {

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
    // Hex digits and punctuation need no shaping, and shaping each changed line was most of a click's cost.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The widest stretch, from the caption's share of its natural width down, at which it fits in available.
// Each stretch measured loads a font engine of its own, a fontconfig match each: the search goes to a guess
// from the first width found too wide, and steps singly from there (a caption widens with its stretch).
[[nodiscard]] int FittingStretch(QFont font, const QString& caption, int available, int natural) {
    constexpr int NarrowestStretch = 60;
    const auto width = [&](int stretch) {
        font.setStretch(stretch);
        return QFontMetrics(font).horizontalAdvance(caption);
    };
    const int widest = std::max(NarrowestStretch, 100 * available / natural);
    const int over = width(widest);
    if (over <= available || widest == NarrowestStretch) {
        return widest;
    }
    int stretch = std::clamp(widest * available / over, NarrowestStretch, widest - 1);
    if (width(stretch) <= available) {
        while (stretch + 1 < widest && width(stretch + 1) <= available) {
            ++stretch;
        }
        return stretch;
    }
    while (stretch > NarrowestStretch && width(--stretch) > available) {
    }
    return stretch;
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
    font.setStretch(FittingStretch(font, caption, available, natural));
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

}  // namespace

QWidget* WidgetControls::NewClientArea(QWidget* parent) {
    auto* client = new QWidget(parent);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFont(FormFont());
    client->setFixedSize(ClientWidth, ClientHeight);
    return client;
}

QWidget* WidgetControls::WidgetOf(Ctl c) const {
    return LayoutOf(c).kind == ControlKind::Area ? surface_ : widgets_[static_cast<std::size_t>(c)];
}

void WidgetControls::BuildControls(QWidget* client, TForm1& form, Dispatcher& dispatcher) {
    form_ = &form;
    dispatcher_ = &dispatcher;
    // Creation order is stacking order: each widget lies above the ones made before it.
    for (const ControlLayout& entry : Layout) {
        QWidget* widget = BuildControl(client, entry);
        widgets_[static_cast<std::size_t>(entry.id)] = widget;
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(ToQString(entry.name));
        widget->setToolTip(ToQString(ToolTipOf(entry.id)));
        widget->setVisible(entry.visible);
        widget->setEnabled(entry.enabled);
        if (entry.id == Ctl::editAddress) {
            BuildAddressCaption(client);
        }
    }
    SetTabOrder();
}

QWidget* WidgetControls::BuildControl(QWidget* client, const ControlLayout& entry) {
    const Rect r = entry.rect;
    const QString text = ToQString(entry.text);
    QWidget* widget = nullptr;
    switch (entry.kind) {
        case ControlKind::Image:
            surface_ = new SurfaceView(client);
            surface_->setGeometry(0, 0, ClientWidth, ClientHeight);
            return surface_;
        case ControlKind::Area:
            return nullptr;  // a region of the surface view, not a widget
        case ControlKind::Label: {
            auto* label = new QLabel(text, client);
            label->move(r.left, r.top);
            FitLabel(label);
            return label;
        }
        case ControlKind::Bevel:
            widget = new Bevel(client);
            break;
        case ControlKind::CheckBox:
            widget = new QCheckBox(text, client);
            break;
        case ControlKind::PushButton:
            widget = new QPushButton(text, client);
            break;
        case ControlKind::DropDown:
            widget = new LengthMenu(client);
            break;
        case ControlKind::Edit:
            widget = new KeyFilterEdit(client);
            break;
        case ControlKind::Memo: {
            auto* memo = new ListingEdit(client);
            memo->setFont(CourierFont(11, false));
            QPalette palette = memo->palette();
            palette.setColor(QPalette::Text, Qt::black);
            memo->setPalette(palette);
            memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            // Tab moves on through the tab order, as in every other box, rather than typing a tab.
            memo->setTabChangesFocus(true);
            widget = memo;
            break;
        }
        case ControlKind::ScrollBar: {
            auto* bar = new QScrollBar(Qt::Vertical, client);
            bar->setRange(0, 0);
            bar->setSingleStep(1);
            bar->setPageStep(BrowserLargeChange);
            bar->setFocusPolicy(Qt::TabFocus);
            widget = bar;
            break;
        }
        case ControlKind::BitView: {
            auto* bits = new BitsView(client);
            bits->setFont(CourierFont(19, true));
            bits->Edit([&](BitLine& line) { line.SetText(text.toStdU16String()); });
            widget = bits;
            break;
        }
    }
    widget->setGeometry(r.left, r.top, r.width, r.height);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        NarrowToFit(button, CaptionRoom(button));
    }
    return widget;
}

// The address box's caption sits just above it, as a labelled edit box places its label.
void WidgetControls::BuildAddressCaption(QWidget* client) {
    addressCaption_ = new QLabel(ToQString(AddressCaption), client);
    addressCaption_->setObjectName(QStringLiteral("editAddressCaption"));
    FitLabel(addressCaption_);
    const Rect box = RectOf(Ctl::editAddress);
    addressCaption_->move(box.left, box.top - addressCaption_->height() - CaptionGap);
}

// Labels size themselves to their text and paint their own background behind it; the pointer passes
// through them to the areas below.
void WidgetControls::FitLabel(QLabel* label) {
    label->setAutoFillBackground(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->resize(label->sizeHint());
}

void WidgetControls::SetTabOrder() {
    for (std::size_t i = 1; i < TabOrder.size(); ++i) {
        QWidget::setTabOrder(widgets_[static_cast<std::size_t>(TabOrder[i - 1])],
                             widgets_[static_cast<std::size_t>(TabOrder[i])]);
    }
}

}  // namespace tintorb
