#include "app/widgets/frame_list_model.h"

#include "app/widgets/window_style.h"

namespace orvex {

int FrameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant FrameListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shown_) {
        return {};
    }
    return FromLatin1(items_[index.row()]);
}

void FrameListModel::Append(std::string_view text) {
    items_.emplace_back(text);
}

void FrameListModel::ShowPending() {
    const auto pending = static_cast<int>(items_.size()) - shown_;
    if (pending > 0 && pending >= shown_ / 8) {
        Flush();
    }
}

void FrameListModel::Flush() {
    const int count = static_cast<int>(items_.size());
    if (count == shown_) {
        return;
    }
    beginInsertRows({}, shown_, count - 1);
    shown_ = count;
    endInsertRows();
}

void FrameListModel::Clear() {
    beginResetModel();
    items_.clear();
    shown_ = 0;
    endResetModel();
}

}  // namespace orvex
