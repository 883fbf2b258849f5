#include "app/channel_panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/object_names.h"
#include "app/panel_layout.h"
#include "app/window_style.h"

namespace orvex {
namespace {

// The selectors lie in four frames, so no container can make them exclusive;
// the panel clears them itself. A click on a set selector leaves it set, as
// an option button does, instead of clearing it as a lone checkable would.
class ChannelSelector : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { setChecked(true); }
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
        frames[f] = new QGroupBox(QString::fromLatin1(layout.caption), this);
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
    selector->setGeometry(TwipsRect(left + 240, top, 255, 255));
    selector->setAutoExclusive(false);
    connect(selector, &QAbstractButton::toggled, this, [this, row](bool set) {
        if (set) {
            SelectChannel(row);
        }
    });
    selectors_[row] = selector;

    names_[row] = MakeLabel(frame, object_name::ChannelName(row),
                            TwipsRect(left + 600, top, 1335, 255), font);
    values_[row] = MakeDisplayField(frame, object_name::ChannelValue(row),
                                    TwipsRect(left + 2040, top, 735, 285), font);
    SetFieldBackground(values_[row], colour::kWhite);
    units_[row] = MakeLabel(frame, object_name::ChannelUnit(row),
                            TwipsRect(left + 2880, top, 375, 255), font);
}

void ChannelPanel::ShowLabels(int row, const QString& name, const QString& unit) {
    ShowCaption(names_[row], name);
    ShowCaption(units_[row], unit);
}

void ChannelPanel::ShowValue(int row, const QString& text) {
    ShowFieldText(values_[row], text);
}

void ChannelPanel::Select(int row) {
    if (selectors_[row]->isChecked()) {
        SelectChannel(row);
    } else {
        selectors_[row]->setChecked(true);  // runs SelectChannel through its signal
    }
}

void ChannelPanel::SelectChannel(int row) {
    for (int r = 0; r < kChannelCount; ++r) {
        SetFieldBackground(values_[r], colour::kWhite);
        if (r != row) {
            selectors_[r]->setChecked(false);
        }
    }
    SetFieldBackground(values_[row], colour::kLightYellow);
    emit ChannelSelected(row);
}

}  // namespace orvex
