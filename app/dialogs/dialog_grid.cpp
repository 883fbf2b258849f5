#include "app/dialogs/dialog_grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace orvex {
namespace {

constexpr int kIndentPixels = 16;

}  // namespace

DialogGrid::DialogGrid(QWidget* dialog) : dialog_(dialog), grid_(new QGridLayout(dialog)) {
    grid_->setColumnMinimumWidth(0, kIndentPixels);
    grid_->setColumnStretch(2, 1);
}

void DialogGrid::AddAcross(QWidget* widget) {
    grid_->addWidget(widget, row_++, 0, 1, 3);
}

void DialogGrid::AddIndented(const QString& label, QWidget* field, QPushButton* browse) {
    Add(label, field, browse, true);
}

void DialogGrid::AddUnindented(const QString& label, QWidget* field, QPushButton* browse) {
    Add(label, field, browse, false);
}

void DialogGrid::Add(const QString& label, QWidget* field, QPushButton* browse, bool indented) {
    auto* shown = new QLabel(label, dialog_);
    shown->setBuddy(field);
    grid_->addWidget(shown, row_, indented ? 1 : 0, 1, indented ? 1 : 2);
    if (browse == nullptr) {
        grid_->addWidget(field, row_, 2);
    } else {
        auto* beside = new QHBoxLayout;
        beside->addWidget(field, 1);
        beside->addWidget(browse);
        grid_->addLayout(beside, row_, 2);
    }
    ++row_;
}

}  // namespace orvex
