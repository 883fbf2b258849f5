#include "app/dialogs/picture_size_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "app/chart/chart_export.h"
#include "app/window/object_names.h"

namespace orvex {
namespace {

QSpinBox* PixelBox(int value, int lowest, int highest, const char* name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lowest, highest);
    box->setValue(value);
    box->setSuffix(PictureSizeDialog::tr(" pixels"));
    return box;
}

}  // namespace

PictureSizeDialog::PictureSizeDialog(const QSize& start, QWidget* parent)
    : QDialog(parent),
      width_(PixelBox(start.width(), kSmallestPicture.width(), kLargestPicture.width(),
                      object_name::kPictureWidth, this)),
      height_(PixelBox(start.height(), kSmallestPicture.height(), kLargestPicture.height(),
                       object_name::kPictureHeight, this)) {
    setObjectName(object_name::kPictureSizeDialog);
    setWindowTitle(tr("Picture Size"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Width:"), width_);
    form->addRow(tr("&Height:"), height_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QSize PictureSizeDialog::Size() const {
    return {width_->value(), height_->value()};
}

std::optional<QSize> PictureSizeDialog::Ask(const QSize& start, QWidget* parent) {
    PictureSizeDialog dialog(start, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Size();
}

}  // namespace orvex
