#include "app/form1.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>

#include "app/about_box.h"
#include "app/artwork.h"
#include "app/channel_panel.h"
#include "app/frame_list_model.h"
#include "app/history_chart.h"
#include "app/load_message.h"
#include "app/top_strip.h"
#include "app/window_style.h"

namespace orvex {

Form1::Form1(const LocaleFormat& format, QWidget* parent)
    : QMainWindow(parent),
      format_(format),
      frameList_(new FrameListModel(this)),
      chooseFile_([this] { return ChooseLogFile(); }),
      showMessage_(
          [this](QMessageBox::Icon icon, const QString& text) { ShowMessageBox(icon, text); }),
      session_(*this, format_) {
    setObjectName("Form1");
    setWindowTitle("Velta Orvex Telemetry Decoder");
    setWindowIcon(WindowIcon());
    createActions();
    createMenus();
    createClientArea();
    // The layout is fixed: the window takes the size of its client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(strip_->HScroll1(), &QScrollBar::valueChanged, this,
            [this](int position) { session_.RecordPositionChanged(position); });
    connect(panel_, &ChannelPanel::channelSelected, this,
            [this](int row) { session_.ShowChannelChart(row); });
    session_.Start();
}

Form1::~Form1() = default;

void Form1::createActions() {
    const auto add = [this](const char* name, const QString& text) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    menuFileOpen_ = add("MenuFileOpen", "Open");
    menuFileOpen_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(menuFileOpen_, &QAction::triggered, this, &Form1::MenuFileOpen_Click);

    menuFileExit_ = add("MenuFileExit", "Exit");
    menuFileExit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(menuFileExit_, &QAction::triggered, this, &QWidget::close);

    // The decoders and the end of a load read the marks when they need them.
    writeTLMFile_ = add("WriteTLMFile", "Write TLM File");
    writeWODFile_ = add("WriteWODFile", "Write WOD File");
    for (QAction* mark : {writeTLMFile_, writeWODFile_}) {
        mark->setCheckable(true);
        mark->setChecked(true);
    }

    mnuInfo_ = add("MnuInfo", "Info");
    connect(mnuInfo_, &QAction::triggered, this, &Form1::MnuInfo_Click);
}

void Form1::createMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("MnuFile");
    file->addActions({menuFileOpen_, menuFileExit_});
    QMenu* settings = menuBar()->addMenu("Settings");
    settings->setObjectName("MnuSettings");
    settings->addActions({writeTLMFile_, writeWODFile_});
    menuBar()->addAction(mnuInfo_);
}

void Form1::createClientArea() {
    auto* client = new QWidget(this);
    client->setFixedSize(TwipsToPixels(11010), TwipsToPixels(9105));
    client->setFont(DialogFont());
    SetBackground(client, colour::kGrey);
    setCentralWidget(client);

    strip_ = new TopStrip(frameList_, client);
    panel_ = new ChannelPanel(client);
    createChartFrame(client);
    createBottomStrip(client);
}

void Form1::createChartFrame(QWidget* client) {
    frame1_ = new QGroupBox(client);
    frame1_->setObjectName("Frame1");
    frame1_->setGeometry(TwipsRect(120, 4800, 10815, 3855));
    frame1_->setFont(DialogFont(9.75, true));
    chart_ = new HistoryChart(format_, frame1_);
    chart_->setObjectName("MSChart1");
    chart_->setGeometry(TwipsRect(120, 240, 10575, 3375));
}

void Form1::createBottomStrip(QWidget* client) {
    text4_ = MakeDisplayField(client, "Text4", TwipsRect(120, 8760, 9375, 285), DialogFont());
    SetFieldBackground(text4_, colour::kGrey);
    label3_ = MakeLabel(client, "Label3", TwipsRect(9720, 8760, 1215, 255), DialogFont());
    label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColour(label3_, colour::kDarkGrey);
}

void Form1::MenuFileOpen_Click() {
    const QString path = chooseFile_();
    // The load yields to the window between frames; no second load may start
    // inside it.
    menuFileOpen_->setEnabled(false);
    yieldClock_.invalidate();
    const LoadOutcome outcome = session_.OpenLog(QFile::encodeName(path).toStdString());
    frameList_->Flush();
    menuFileOpen_->setEnabled(true);
    if (stopRequested_) {
        close();
        return;
    }
    ReportLoad(outcome);
}

QString Form1::ChooseLogFile() {
    QString filter = QStringLiteral("Log Files (*.kss)");
    return QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"), QString(),
        QStringLiteral("Log Files (*.kss);;Text Files (*.txt);;All Files (*.*)"), &filter);
}

void Form1::ReportLoad(const LoadOutcome& outcome) {
    const QString text = LoadMessageText(outcome);
    if (!text.isEmpty()) {
        showMessage_(outcome.problems.empty() ? QMessageBox::Information : QMessageBox::Warning,
                     text);
    }
}

void Form1::ShowMessageBox(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void Form1::MnuInfo_Click() {
    if (!info_) {
        info_ = new Info(this);
    }
    info_->show();
    info_->raise();
    info_->activateWindow();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (session_.Loading()) {
        // The load runs further up this call stack, inside the Open command:
        // it stops after the current frame and the window closes then.
        stopRequested_ = true;
        event->ignore();
        return;
    }
    if (info_) {
        info_->close();
    }
    event->accept();
}

}  // namespace orvex
