#pragma once

#include <QComboBox>

#include <cstdint>
#include <optional>

#include "archive/archived_extremes.h"

namespace orvex {

// What the chart draws: the history of the log read (the default), or a
// span of the archive's.
enum class ChartRange { Log, LastDay, LastWeek, LastMonth, All, Span };

// The span of the archive a range that ends now covers: the last day, week or
// month before `now`; nothing for the others.
std::optional<ArchiveSpan> RecentSpan(ChartRange range, std::int64_t now);

// The choice of the chart's range beside it. The archive's ranges can be
// chosen only while an archive is open.
class ChartRangeBox : public QComboBox {
    Q_OBJECT
public:
    explicit ChartRangeBox(QWidget* parent);

    ChartRange Range() const;
    // Shows `range` as chosen, without telling.
    void ShowRange(ChartRange range);
    void SetArchiveAvailable(bool available);

signals:
    // The user chose a range, or chose the span again to change it.
    void RangeChosen(ChartRange range);
};

}  // namespace orvex
