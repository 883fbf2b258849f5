#include "app/dialogs/about_box.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "app/widgets/artwork.h"
#include "app/widgets/window_style.h"
#include "app/window/object_names.h"

namespace orvex {
namespace {

QLabel* AddText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                const QFont& font = DialogFont()) {
    QLabel* label = MakeLabel(parent, QString::fromLatin1(name), geometry, font);
    FitFontToText(label, text, geometry.width());
    label->setText(text);
    return label;
}

// Looks like a link but opens nothing: the about box has no commands.
void AddLinkText(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    QFont font = DialogFont();
    font.setUnderline(true);
    SetTextColour(AddText(parent, name, geometry, text, font), colour::kLinkBlue);
}

QIcon NoIcon() {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

}  // namespace

QString VersionLine() {
    return AboutBox::tr("Version %1    (%2)")
        .arg(QStringLiteral(ORVEX_SHORT_VERSION), QStringLiteral(ORVEX_RELEASE_DATE));
}

AboutBox::AboutBox(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(object_name::kAboutBox);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Info"));
    setWindowIcon(NoIcon());
    // Taller than designed by the row of the Close button.
    setFixedSize(TwipsToPixels(5115), TwipsToPixels(3300));
    SetBackground(this, colour::kGrey);

    QLabel* title = AddText(this, object_name::kAboutTitle, TwipsRect(120, 120, 4935, 375),
                            tr("Velta Orvex Telemetry Decoder"), DialogFont(13.5, true));
    SetTextColour(title, colour::kDarkGreen);
    AddText(this, object_name::kAboutAuthor, TwipsRect(120, 600, 2775, 255),
            QStringLiteral("\u00A9 2009 Tam Lofgren"));
    AddText(this, object_name::kAboutCallSign, TwipsRect(120, 960, 735, 255),
            QStringLiteral("Tamlo"), DialogFont(8.25, true));
    AddVersionFrame();
    AddContact();

    QLabel* picture =
        MakeLabel(this, object_name::kAboutPicture, TwipsRect(3240, 600, 1665, 2130), DialogFont());
    picture->setPixmap(QPixmap::fromImage(AboutPicture()));
    picture->setScaledContents(true);

    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(object_name::kAboutClose);
    close->setGeometry(TwipsRect(3690, 2850, 1215, 345));
    close->setFont(DialogFont());
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    close->setFocus();
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            close();
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void AboutBox::AddVersionFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(object_name::kAboutVersionFrame);
    frame->setGeometry(TwipsRect(120, 1320, 2775, 615));
    AddText(frame, object_name::kAboutVersion, TwipsRect(120, 240, 2535, 255), VersionLine())
        ->setAlignment(Qt::AlignCenter);
}

void AboutBox::AddContact() {
    AddText(this, object_name::kAboutHomepageCaption, TwipsRect(120, 2040, 855, 255),
            tr("Homepage:"));
    AddLinkText(this, object_name::kAboutHomepage, TwipsRect(1080, 2040, 1815, 255),
                QStringLiteral("tamlo.example.org"));
    AddText(this, object_name::kAboutMailCaption, TwipsRect(120, 2400, 615, 255), tr("e-mail:"));
    AddLinkText(this, object_name::kAboutMail, TwipsRect(1080, 2400, 1815, 255),
                QStringLiteral("tamlo@example.org"));
}

}  // namespace orvex
