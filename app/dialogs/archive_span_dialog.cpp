#include "app/dialogs/archive_span_dialog.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTimeZone>

#include "app/window/object_names.h"

namespace orvex {
namespace {

QDateTimeEdit* UtcEdit(std::int64_t time, const char* name, QWidget* parent) {
    auto* edit = new QDateTimeEdit(QDateTime::fromSecsSinceEpoch(time, QTimeZone::utc()), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setTimeSpec(Qt::UTC);
    // ISO 8601, as the command line's --export-range takes it.
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    edit->setCalendarPopup(true);
    return edit;
}

constexpr std::int64_t kDay = 86400;  // seconds

}  // namespace

ArchiveSpan ArchiveSpanDialog::FirstSpan(ArchiveDatabase* database, std::int64_t now) {
    std::string problem;
    const std::optional<ArchiveSpan> held =
        database != nullptr ? ArchivedTelemetrySpan(*database, std::nullopt, problem)
                            : std::nullopt;
    if (!held) {
        return {now - kDay, now};
    }
    const std::int64_t lastDay = held->to - held->to % kDay;
    return {lastDay, lastDay + kDay};
}

ArchiveSpanDialog::ArchiveSpanDialog(const ArchiveSpan& start, QWidget* parent)
    : QDialog(parent),
      from_(UtcEdit(start.from, object_name::kSpanFrom, this)),
      to_(UtcEdit(start.to, object_name::kSpanTo, this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(object_name::kSpanDialog);
    setWindowTitle(tr("Archive Span"));
    auto* form = new QFormLayout(this);
    form->addRow(tr("&From (UTC):"), from_);
    form->addRow(tr("&To (UTC):"), to_);
    form->addRow(buttons_);
    connect(from_, &QDateTimeEdit::dateTimeChanged, this, &ArchiveSpanDialog::FollowChoice);
    connect(to_, &QDateTimeEdit::dateTimeChanged, this, &ArchiveSpanDialog::FollowChoice);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FollowChoice();
}

void ArchiveSpanDialog::FollowChoice() {
    const ArchiveSpan span = Span();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(span.to > span.from);
}

ArchiveSpan ArchiveSpanDialog::Span() const {
    return {from_->dateTime().toSecsSinceEpoch(), to_->dateTime().toSecsSinceEpoch()};
}

}  // namespace orvex
