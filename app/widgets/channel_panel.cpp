#include "app/widgets/channel_panel.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "app/widgets/panel_layout.h"
#include "app/widgets/window_style.h"
#include "app/window/object_names.h"

namespace orvex {
namespace {

// The selectors lie in four frames and several may be set, so the panel sets
// and clears them itself: a click only asks the panel, and tells whether Ctrl
// was held when the mouse button or the Space key that made it came up.
class ChannelSelector : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

    bool TakeCtrl() { return std::exchange(ctrl_, false); }

protected:
    void nextCheckState() override {}
    void mouseReleaseEvent(QMouseEvent* event) override {
        ctrl_ = (event->modifiers() & Qt::ControlModifier) != 0;
        QRadioButton::mouseReleaseEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        ctrl_ = (event->modifiers() & Qt::ControlModifier) != 0;
        QRadioButton::keyReleaseEvent(event);
    }

private:
    bool ctrl_ = false;
};

// Names keep their trailing blanks, which take no room on screen.
void ShowCaption(QLabel* label, const QString& text) {
    FitFontToText(label, text.trimmed(), label->width());
    label->setText(text);
}

QRect FrameRect(const PanelFrame& frame) {
    return TwipsRect(frame.left, frame.top, frame.width, frame.height);
}

QRect PanelRect() {
    QRect all;
    for (const PanelFrame& frame : PanelFrames()) {
        all = all.united(FrameRect(frame));
    }
    return all;
}

}  // namespace

ChannelPanel::ChannelPanel(QWidget* parent) : QWidget(parent) {
    setGeometry(PanelRect());
    std::array<QGroupBox*, kPanelFrameCount> frames{};
    for (int f = 0; f < kPanelFrameCount; ++f) {
        const PanelFrame& layout = PanelFrames()[f];
        frames[f] = new QGroupBox(tr(layout.caption), this);
        frames[f]->setObjectName(QString::fromLatin1(layout.objectName));
        frames[f]->setGeometry(FrameRect(layout).translated(-geometry().topLeft()));
        frames[f]->setFont(DialogFont(8.25, true));
    }
    for (int row = 0; row < kChannelCount; ++row) {
        const RowPlace& place = RowPlaces()[row];
        AddRow(row, frames[place.frame], place.left, place.top);
    }
}

void ChannelPanel::AddRow(int row, QWidget* frame, int left, int top) {
    const QFont font = DialogFont();
    auto* selector = new ChannelSelector(frame);
    selector->setObjectName(object_name::ChannelSelector(row));
    selector->setGeometry(TwipsRect(left + kSelectorLeft, top, 255, 255));
    selector->setAutoExclusive(false);
    selector->setAccessibleDescription(
        tr("Charts the channel alone; with Ctrl, adds it to the chart or takes it off"));
    connect(selector, &QAbstractButton::clicked, this, [this, selector, row] {
        if (selector->TakeCtrl()) {
            Toggle(row);
        } else {
            Select(row);
        }
    });
    selectors_[row] = selector;

    // In the room left of the selector, centred on it.
    swatches_[row] = new QWidget(frame);
    swatches_[row]->setObjectName(object_name::ChannelSwatch(row));
    swatches_[row]->setGeometry(
        TwipsRect(left + kSwatchLeft, top + kSwatchLeft, kSwatchSize, kSwatchSize));
    swatches_[row]->setToolTip(tr("The colour of this channel's line in the chart"));
    swatches_[row]->hide();

    names_[row] = MakeLabel(frame, object_name::ChannelName(row),
                            TwipsRect(left + kNameLeft, top, kNameWidth, 255), font);
    values_[row] = MakeDisplayField(frame, object_name::ChannelValue(row),
                                    TwipsRect(left + kValueLeft, top, kValueWidth, 285), font);
    SetFieldBackground(values_[row], colour::kWhite);
    units_[row] = MakeLabel(frame, object_name::ChannelUnit(row),
                            TwipsRect(left + kUnitLeft, top, kUnitWidth, 255), font);
}

void ChannelPanel::ShowLabels(int row, const QString& name, const QString& unit) {
    ShowCaption(names_[row], name);
    ShowCaption(units_[row], unit);
    selectors_[row]->setAccessibleName(name.trimmed());
    values_[row]->setAccessibleName(tr("%1 value").arg(name.trimmed()));
}

void ChannelPanel::ShowValue(int row, const QString& text, bool fromEarlierFrame) {
    QLineEdit* field = values_[row];
    ShowFieldText(field, text);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text,
                     QApplication::palette().color(
                         fromEarlierFrame ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    field->setPalette(palette);
    field->setToolTip(fromEarlierFrame ? tr("This record's frame ended before this channel: the "
                                            "value is from the byte an earlier frame left.")
                                       : QString());
}

void ChannelPanel::Select(int row) {
    charted_ = {row};
    ShowCharted();
}

void ChannelPanel::Toggle(int row) {
    const auto at = std::find(charted_.begin(), charted_.end(), row);
    if (at == charted_.end()) {
        charted_.push_back(row);
    } else if (charted_.size() > 1) {
        charted_.erase(at);
    }
    ShowCharted();
}

void ChannelPanel::ShowLineColours(const std::map<int, QColor>& colours) {
    for (int row = 0; row < kChannelCount; ++row) {
        const auto colour = colours.find(row);
        if (colour != colours.end()) {
            SetBackground(swatches_[row], colour->second);
        }
        swatches_[row]->setVisible(colour != colours.end());
    }
}

void ChannelPanel::ShowCharted() {
    for (int row = 0; row < kChannelCount; ++row) {
        const bool charted = std::find(charted_.begin(), charted_.end(), row) != charted_.end();
        SetFieldBackground(values_[row], charted ? colour::kLightYellow : colour::kWhite);
        selectors_[row]->setChecked(charted);
    }
    emit ChartedRowsChanged(charted_);
}

}  // namespace orvex
