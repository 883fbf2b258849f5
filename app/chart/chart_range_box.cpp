#include "app/chart/chart_range_box.h"

#include <QStandardItemModel>

#include "app/window/object_names.h"

namespace orvex {
namespace {

constexpr std::int64_t kDay = 86400;  // seconds

}  // namespace

std::optional<ArchiveSpan> RecentSpan(ChartRange range, std::int64_t now) {
    switch (range) {
        case ChartRange::LastDay:
            return ArchiveSpan{now - kDay, now};
        case ChartRange::LastWeek:
            return ArchiveSpan{now - 7 * kDay, now};
        case ChartRange::LastMonth:
            return ArchiveSpan{now - 30 * kDay, now};
        case ChartRange::Log:
        case ChartRange::All:
        case ChartRange::Span:
            break;
    }
    return std::nullopt;
}

ChartRangeBox::ChartRangeBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(object_name::kChartRange);
    setAccessibleName(tr("Chart range"));
    addItem(tr("This log"), static_cast<int>(ChartRange::Log));
    addItem(tr("Archive: last day"), static_cast<int>(ChartRange::LastDay));
    addItem(tr("Archive: last week"), static_cast<int>(ChartRange::LastWeek));
    addItem(tr("Archive: last month"), static_cast<int>(ChartRange::LastMonth));
    addItem(tr("Archive: all"), static_cast<int>(ChartRange::All));
    addItem(tr("Archive: span..."), static_cast<int>(ChartRange::Span));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int index) {
        emit RangeChosen(static_cast<ChartRange>(itemData(index).toInt()));
    });
    SetArchiveAvailable(false);
}

ChartRange ChartRangeBox::Range() const {
    return static_cast<ChartRange>(currentData().toInt());
}

void ChartRangeBox::ShowRange(ChartRange range) {
    setCurrentIndex(findData(static_cast<int>(range)));
}

void ChartRangeBox::SetArchiveAvailable(bool available) {
    auto* items = qobject_cast<QStandardItemModel*>(model());
    for (int row = 0; row < count(); ++row) {
        if (static_cast<ChartRange>(itemData(row).toInt()) != ChartRange::Log) {
            items->item(row)->setEnabled(available);
        }
    }
}

}  // namespace orvex
