#include "app/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

#include "app/about_box.h"
#include "app/artwork.h"
#include "app/channel_panel.h"
#include "app/frame_list_model.h"
#include "app/history_chart.h"
#include "app/load_message.h"
#include "app/log_drop.h"
#include "app/object_names.h"
#include "app/recent_logs_menu.h"
#include "app/top_strip.h"
#include "app/window_style.h"

namespace orvex {

MainWindow::MainWindow(const LocaleFormat& format, QWidget* parent)
    : QMainWindow(parent),
      format_(format),
      frameList_(new FrameListModel(this)),
      chooseFile_([this] { return ChooseLogFile(); }),
      chooseFolder_([this](const QString& start) { return ChooseDataFolder(start); }),
      showMessage_(
          [this](QMessageBox::Icon icon, const QString& text) { ShowMessageBox(icon, text); }),
      session_(*this, loadContext_) {
    setObjectName(object_name::kMainWindow);
    setWindowTitle("Velta Orvex Telemetry Decoder");
    setWindowIcon(WindowIcon());
    CreateActions();
    CreateMenus();
    CreateClientArea();
    // The layout is fixed: the window takes the size of its client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setAcceptDrops(true);

    connect(strip_->RecordScrollBar(), &QScrollBar::valueChanged, this,
            [this](int position) { session_.RecordPositionChanged(position); });
    connect(panel_, &ChannelPanel::ChannelSelected, this,
            [this](int row) { session_.ShowChannelChart(row); });
    session_.ShowChannelDescriptions();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateActions() {
    const auto add = [this](const char* name, const QString& text) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    openAction_ = add(object_name::kOpenAction, "Open");
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(openAction_, &QAction::triggered, this, &MainWindow::OpenLog);

    // Off until a log is open; the window's Open command writes no data.
    exportDataAction_ = add(object_name::kExportDataAction, "Export Data...");
    exportDataAction_->setEnabled(false);
    connect(exportDataAction_, &QAction::triggered, this, &MainWindow::ExportData);

    exitAction_ = add(object_name::kExitAction, "Exit");
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);

    // The load reads the options afresh at every frame and at its end.
    writeReportAction_ = add(object_name::kWriteReportAction, "Write TLM File");
    writeWodExportAction_ = add(object_name::kWriteWodExportAction, "Write WOD File");
    for (QAction* mark : {writeReportAction_, writeWodExportAction_}) {
        mark->setCheckable(true);
        mark->setChecked(true);
    }
    connect(writeReportAction_, &QAction::toggled, this,
            [this](bool checked) { outputs_.writeReport = checked; });
    connect(writeWodExportAction_, &QAction::toggled, this,
            [this](bool checked) { outputs_.writeWodExport = checked; });

    aboutAction_ = add(object_name::kAboutAction, "Info");
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::ShowAboutBox);
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName(object_name::kFileMenu);
    recentLogs_ = new RecentLogsMenu(this);
    connect(recentLogs_, &RecentLogsMenu::LogChosen, this, &MainWindow::OpenLogFile);
    file->addAction(openAction_);
    file->addMenu(recentLogs_);
    file->addActions({exportDataAction_, exitAction_});
    QMenu* settings = menuBar()->addMenu("Settings");
    settings->setObjectName(object_name::kSettingsMenu);
    settings->addActions({writeReportAction_, writeWodExportAction_});
    menuBar()->addAction(aboutAction_);
}

void MainWindow::CreateClientArea() {
    auto* client = new QWidget(this);
    client->setFixedSize(TwipsToPixels(11010), TwipsToPixels(9105));
    client->setFont(DialogFont());
    SetBackground(client, colour::kGrey);
    setCentralWidget(client);

    strip_ = new TopStrip(frameList_, client);
    panel_ = new ChannelPanel(client);
    CreateChartFrame(client);
    CreateBottomStrip(client);
}

void MainWindow::CreateChartFrame(QWidget* client) {
    chartFrame_ = new QGroupBox(client);
    chartFrame_->setObjectName(object_name::kChartFrame);
    chartFrame_->setGeometry(TwipsRect(120, 4800, 10815, 3855));
    chartFrame_->setFont(DialogFont(9.75, true));
    chart_ = new HistoryChart(format_, chartFrame_);
    chart_->setObjectName(object_name::kChart);
    chart_->setGeometry(TwipsRect(120, 240, 10575, 3375));
}

void MainWindow::CreateBottomStrip(QWidget* client) {
    logPath_ = MakeDisplayField(client, object_name::kLogPath, TwipsRect(120, 8760, 9375, 285),
                                DialogFont());
    SetFieldBackground(logPath_, colour::kGrey);
    frameCounter_ = MakeLabel(client, object_name::kFrameCounter, TwipsRect(9720, 8760, 1215, 255),
                              DialogFont());
    frameCounter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColour(frameCounter_, colour::kDarkGrey);
}

void MainWindow::RunLoad(const std::function<void()>& command) {
    // The load yields to the window between frames; no second load may start
    // inside it.
    SetOpenCommandsEnabled(false);
    yieldClock_.invalidate();
    command();
    frameList_->Flush();
    SetOpenCommandsEnabled(true);
    if (stopRequested_) {
        close();
    }
}

void MainWindow::OpenLog() {
    OpenLogFile(chooseFile_());
}

void MainWindow::OpenLogFile(const QString& path) {
    if (session_.Loading()) {
        return;
    }
    LoadOutcome outcome;
    RunLoad([&] { outcome = session_.OpenLog(QFile::encodeName(path).toStdString()); });
    if (stopRequested_) {
        return;
    }
    recentLogs_->AfterOpen(path, outcome.decoded);
    if (outcome.decoded) {
        frameCounter_->setToolTip(FrameCounterToolTip(outcome));
    }
    ReportLoad(outcome);
}

void MainWindow::SetOpenCommandsEnabled(bool enabled) {
    openAction_->setEnabled(enabled);
    exportDataAction_->setEnabled(enabled && session_.CurrentLoad() != nullptr);
    recentLogs_->setEnabled(enabled && !recentLogs_->isEmpty());
}

void MainWindow::ExportData() {
    const LogLoad* shown = session_.CurrentLoad();
    if (shown == nullptr) {
        return;
    }
    const QString start =
        dataFolder_.isEmpty()
            ? QFileInfo(QFile::decodeName(QByteArray::fromStdString(shown->Path()))).path()
            : dataFolder_;
    const QString folder = chooseFolder_(start);
    if (folder.isEmpty()) {
        return;
    }
    dataFolder_ = folder;
    LoadOutcome outcome;
    RunLoad([&] {
        outcome = session_.ExportData({QFile::encodeName(folder).toStdString(), DataFormat::Csv});
    });
    if (stopRequested_) {
        return;
    }
    showMessage_(outcome.problems.empty() ? QMessageBox::Information : QMessageBox::Warning,
                 DataExportMessageText(outcome));
}

QString MainWindow::ChooseDataFolder(const QString& start) {
    return QFileDialog::getExistingDirectory(this, tr("Export Data"), start);
}

QString MainWindow::ChooseLogFile() {
    // "*" and not "*.*": a log's name need not hold a dot.
    return QFileDialog::getOpenFileName(
        this, tr("Open"), recentLogs_->LastFolder(),
        tr("KISS logs (*.kss)") + QStringLiteral(";;") + tr("All files (*)"));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!session_.Loading() && !DroppedLogPath(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedLogPath(*event->mimeData());
    if (session_.Loading() || path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The drag's source waits for the drop to end; the load runs after it.
    QTimer::singleShot(0, this, [this, path] { OpenLogFile(path); });
}

void MainWindow::ReportLoad(const LoadOutcome& outcome) {
    const QString text = LoadMessageText(outcome);
    if (!text.isEmpty()) {
        showMessage_(outcome.problems.empty() ? QMessageBox::Information : QMessageBox::Warning,
                     text);
    }
}

void MainWindow::ShowMessageBox(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShowAboutBox() {
    if (!aboutBox_) {
        aboutBox_ = new AboutBox(this);
    }
    aboutBox_->show();
    aboutBox_->raise();
    aboutBox_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (session_.Loading()) {
        // The load runs further up this call stack, inside the Open command:
        // it stops after the current frame and the window closes then.
        stopRequested_ = true;
        event->ignore();
        return;
    }
    if (aboutBox_) {
        aboutBox_->close();
    }
    event->accept();
}

}  // namespace orvex
