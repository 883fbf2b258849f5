#pragma once

#include <QAbstractListModel>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// The frame list: one item per time or text frame. A long log brings hundreds
// of thousands of them, one at a time: they are kept as their single-byte
// text and handed to the view in batches, so that neither memory nor the
// view's bookkeeping grows with every single item.
class FrameListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Kept at once, shown by the next Flush.
    void Append(std::string_view text);
    // During a load: shows the pending items once they are an eighth of those
    // shown. The view lays out all its rows after every insertion, so
    // geometric batches keep a long load's layout work linear.
    void ShowPending();
    void Flush();
    void Clear();

private:
    std::vector<std::string> items_;
    int shown_ = 0;
};

}  // namespace orvex
