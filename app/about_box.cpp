#include "app/about_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

#include "app/artwork.h"
#include "app/window_style.h"

namespace orvex {
namespace {

QLabel* AddText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                const QFont& font = DialogFont()) {
    QLabel* label = MakeLabel(parent, QString::fromLatin1(name), geometry, font);
    FitFontToText(label, text, geometry.width());
    label->setText(text);
    return label;
}

// Looks like a link, as in the original window, but opens nothing.
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
    return QStringLiteral("Version 2.4    (May 31, 2009)");
}

Info::Info(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName("Info");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Info");
    setWindowIcon(NoIcon());
    setFixedSize(TwipsToPixels(5115), TwipsToPixels(2790));
    SetBackground(this, colour::kGrey);

    QLabel* title = AddText(this, "Label1", TwipsRect(120, 120, 4935, 375),
                            "Velta Orvex Telemetry Decoder", DialogFont(13.5, true));
    SetTextColour(title, colour::kDarkGreen);
    AddText(this, "Label3", TwipsRect(120, 600, 2775, 255),
            QStringLiteral("\u00A9 2009 Tam Lofgren"));
    AddText(this, "Label8", TwipsRect(120, 960, 735, 255), "Tamlo", DialogFont(8.25, true));
    AddVersionFrame();
    AddContact();

    QLabel* picture = MakeLabel(this, "Image1", TwipsRect(3240, 600, 1665, 2130), DialogFont());
    picture->setPixmap(QPixmap::fromImage(AboutPicture()));
    picture->setScaledContents(true);
}

void Info::AddVersionFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    frame->setGeometry(TwipsRect(120, 1320, 2775, 615));
    AddText(frame, "Label2", TwipsRect(120, 240, 2535, 255), VersionLine())
        ->setAlignment(Qt::AlignCenter);
}

void Info::AddContact() {
    AddText(this, "Label6", TwipsRect(120, 2040, 855, 255), "Homepage:");
    AddLinkText(this, "Label4", TwipsRect(1080, 2040, 1815, 255), "tamlo.example.org");
    AddText(this, "Label7", TwipsRect(120, 2400, 615, 255), "e-mail:");
    AddLinkText(this, "Label5", TwipsRect(1080, 2400, 1815, 255), "tamlo@example.org");
}

}  // namespace orvex
