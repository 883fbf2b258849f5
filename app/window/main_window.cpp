#include "app/window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include "app/chart/chart_record_link.h"
#include "app/chart/history_chart.h"
#include "app/dialogs/about_box.h"
#include "app/dialogs/connect_dialog.h"
#include "app/dialogs/picture_size_dialog.h"
#include "app/live/live_session.h"
#include "app/settings/recent_logs_menu.h"
#include "app/widgets/anchored_layout.h"
#include "app/widgets/artwork.h"
#include "app/widgets/channel_panel.h"
#include "app/widgets/frame_list_model.h"
#include "app/widgets/status_line.h"
#include "app/widgets/top_strip.h"
#include "app/widgets/window_style.h"
#include "app/window/greyed_choices.h"
#include "app/window/load_progress.h"
#include "app/window/load_status.h"
#include "app/window/log_drop.h"
#include "app/window/object_names.h"
#include "live/recording.h"
#include "outputs/file_problem.h"
#include "outputs/output_names.h"

namespace orvex {
namespace {

constexpr char kGeometryKey[] = "window/geometry";
constexpr double kRangeBoxPoints = 7.5;  // the chart's labels'
constexpr int kRangeBoxRight = 8;        // pixels from the frame's right edge

// The user's settings of the program, in the platform's place for them.
class ProgramSettings : public QSettings {
public:
    ProgramSettings() : QSettings(QStringLiteral("orvex"), QStringLiteral("orvex")) {}
};

}  // namespace

MainWindow::MainWindow(const LocaleFormat& format, QWidget* parent)
    : QMainWindow(parent),
      format_(format),
      frameList_(new FrameListModel(this)),
      chooseFile_([this] { return ChooseLogFile(); }),
      chooseImage_([this](ImageFormat image) { return ChooseImageFile(image); }),
      chooseSize_([this](const QSize& start) { return PictureSizeDialog::Ask(start, this); }),
      chooseFolder_([this](const QString& start) { return ChooseDataFolder(start); }),
      chooseLink_([this](const LinkChoice& last) { return ChooseLink(last); }),
      chooseArchive_([this](const ArchiveChoice& last) { return ChooseArchive(last); }),
      chooseSpan_([this](const ArchiveSpan& last) { return ChooseSpan(last); }),
      chooseStation_([this](const StationChoice& last) { return ChooseStation(last); }),
      chooseShare_([this](const ShareChoice& last) { return ChooseShare(last); }),
      archiveHistory_(std::make_shared<ArchiveChannelHistory>()),
      session_(*this, loadContext_) {
    setObjectName(object_name::kMainWindow);
    setWindowTitle(tr("Velta Orvex Telemetry Decoder"));
    setWindowIcon(WindowIcon());
    CreateActions();
    CreateMenus();
    GreyedChoices::Explain(this);
    CreateClientArea();
    CreateStatusLine();
    connect(this, &MainWindow::RecordingFailed, this, &MainWindow::ShowRecordingFailure,
            Qt::QueuedConnection);
    ApplyArchive(ArchiveChoice::Remembered());
    ApplySharing(ShareChoice::Remembered(), StationChoice::Remembered());
    restoreGeometry(ProgramSettings().value(kGeometryKey).toByteArray());
    setAcceptDrops(true);

    connect(strip_->RecordScrollBar(), &QScrollBar::valueChanged, this,
            [this](int position) { session_.RecordPositionChanged(position); });
    connect(panel_, &ChannelPanel::ChartedRowsChanged, this,
            [this](const std::vector<int>& rows) { session_.ShowChannelChart(rows); });
    connect(chart_, &HistoryChart::LineColoursChanged, panel_, &ChannelPanel::ShowLineColours);
    new ChartRecordLink(chart_, strip_,
                        [this]() -> const TelemetryHistory& { return session_.History(); });
    session_.ShowChannelDescriptions();
}

MainWindow::~MainWindow() {
    // A window closed by its owner rather than the user: the session ends the
    // load at its next frame, and the cursor it changed comes back now.
    if (session_.Loading()) {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::CreateActions() {
    const auto add = [this](const char* name, const QString& text) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    openAction_ = add(object_name::kOpenAction, tr("&Open"));
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(openAction_, &QAction::triggered, this, &MainWindow::OpenLog);

    // Off until a log is open; the window's Open command writes no data.
    exportDataAction_ = add(object_name::kExportDataAction, tr("&Export Data..."));
    exportDataAction_->setEnabled(false);
    connect(exportDataAction_, &QAction::triggered, this, &MainWindow::ExportData);

    connectAction_ = add(object_name::kConnectAction, tr("&Connect..."));
    connect(connectAction_, &QAction::triggered, this, &MainWindow::Connect);
    disconnectAction_ = add(object_name::kDisconnectAction, tr("&Disconnect"));
    disconnectAction_->setEnabled(false);
    connect(disconnectAction_, &QAction::triggered, this, &MainWindow::Disconnect);

    savePngAction_ = add(object_name::kSavePngAction, tr("Save Chart as &PNG..."));
    savePngAction_->setEnabled(false);
    connect(savePngAction_, &QAction::triggered, this, [this] { SaveChart(ImageFormat::Png); });
    saveSvgAction_ = add(object_name::kSaveSvgAction, tr("Save Chart as S&VG..."));
    saveSvgAction_->setEnabled(false);
    connect(saveSvgAction_, &QAction::triggered, this, [this] { SaveChart(ImageFormat::Svg); });

    exitAction_ = add(object_name::kExitAction, tr("E&xit"));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);

    // The load reads the options afresh at every frame and at its end.
    writeReportAction_ = add(object_name::kWriteReportAction, tr("Write &TLM File"));
    writeWodExportAction_ = add(object_name::kWriteWodExportAction, tr("Write &WOD File"));
    for (QAction* mark : {writeReportAction_, writeWodExportAction_}) {
        mark->setCheckable(true);
        mark->setChecked(true);
    }
    connect(writeReportAction_, &QAction::toggled, this,
            [this](bool checked) { outputs_.writeReport = checked; });
    connect(writeWodExportAction_, &QAction::toggled, this,
            [this](bool checked) { outputs_.writeWodExport = checked; });

    archiveAction_ = add(object_name::kArchiveAction, tr("&Archive..."));
    connect(archiveAction_, &QAction::triggered, this, &MainWindow::ConfigureArchive);
    stationAction_ = add(object_name::kStationAction, tr("&Station..."));
    connect(stationAction_, &QAction::triggered, this, &MainWindow::ConfigureStation);
    shareAction_ = add(object_name::kShareAction, tr("S&hare Frames..."));
    connect(shareAction_, &QAction::triggered, this, &MainWindow::ConfigureSharing);

    aboutAction_ = add(object_name::kAboutAction, tr("&Info"));
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::ShowAboutBox);
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(object_name::kFileMenu);
    recentLogs_ = new RecentLogsMenu(this);
    connect(recentLogs_, &RecentLogsMenu::LogChosen, this, &MainWindow::OpenLogFile);
    file->addAction(openAction_);
    file->addMenu(recentLogs_);
    file->addAction(exportDataAction_);
    file->addSeparator();
    file->addActions({connectAction_, disconnectAction_});
    file->addSeparator();
    file->addActions({savePngAction_, saveSvgAction_});
    file->addSeparator();
    file->addAction(exitAction_);
    QMenu* settings = menuBar()->addMenu(tr("&Settings"));
    settings->setObjectName(object_name::kSettingsMenu);
    settings->addActions({writeReportAction_, writeWodExportAction_});
    settings->addSeparator();
    settings->addAction(archiveAction_);
    settings->addActions({stationAction_, shareAction_});
    menuBar()->addAction(aboutAction_);
}

void MainWindow::CreateClientArea() {
    auto* client = new QWidget(this);
    client->setFont(DialogFont());
    SetBackground(client, colour::kGrey);
    auto* layout = new AnchoredLayout(client, QSize(TwipsToPixels(11010), TwipsToPixels(9105)));
    strip_ = new TopStrip(frameList_, client);
    layout->AddWidget(strip_, AnchoredLayout::kStretchWidth);
    panel_ = new ChannelPanel(client);
    layout->AddWidget(panel_);
    layout->AddWidget(CreateChartFrame(client),
                      AnchoredLayout::kStretchWidth | AnchoredLayout::kStretchHeight);
    CreateBottomStrip(client);
    layout->AddWidget(logPath_, AnchoredLayout::kBottom | AnchoredLayout::kStretchWidth);
    layout->AddWidget(frameCounter_, AnchoredLayout::kBottom | AnchoredLayout::kRight);
    setCentralWidget(client);
}

QWidget* MainWindow::CreateChartFrame(QWidget* client) {
    chartFrame_ = new QGroupBox(client);
    chartFrame_->setObjectName(object_name::kChartFrame);
    chartFrame_->setGeometry(TwipsRect(120, 4800, 10815, 3855));
    chartFrame_->setFont(DialogFont(9.75, true));
    chart_ = new HistoryChart(format_, chartFrame_);
    chart_->setObjectName(object_name::kChart);
    chart_->setGeometry(TwipsRect(120, 240, 10575, 3375));
    auto* layout = new AnchoredLayout(chartFrame_, chartFrame_->size());
    layout->AddWidget(chart_, AnchoredLayout::kStretchWidth | AnchoredLayout::kStretchHeight);
    // Beside the frame's title, over the chart's top margin, where it hides
    // no point: the plot has the same room as before.
    range_ = new ChartRangeBox(chartFrame_);
    range_->setFont(DialogFont(kRangeBoxPoints));
    const QSize box = range_->sizeHint();
    range_->setGeometry(chartFrame_->width() - box.width() - kRangeBoxRight, 0, box.width(),
                        box.height());
    layout->AddWidget(range_, AnchoredLayout::kRight);
    connect(range_, &ChartRangeBox::RangeChosen, this, &MainWindow::ChooseChartRange);
    return chartFrame_;
}

void MainWindow::CreateBottomStrip(QWidget* client) {
    // The frame counter is wider than designed, for "4294967295 frames" (112
    // pixels of DejaVu Sans at 8.25 points); the path field gives the room.
    logPath_ = MakeDisplayField(client, object_name::kLogPath, TwipsRect(120, 8760, 8910, 285),
                                DialogFont());
    logPath_->setAccessibleName(tr("Log file"));
    SetFieldBackground(logPath_, colour::kGrey);
    frameCounter_ = MakeLabel(client, object_name::kFrameCounter, TwipsRect(9135, 8760, 1800, 255),
                              DialogFont());
    frameCounter_->setAccessibleName(tr("Frame count"));
    frameCounter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColour(frameCounter_, colour::kDarkGrey);
}

void MainWindow::CreateStatusLine() {
    statusLine_ = new StatusLine(this);
    statusLine_->setObjectName(object_name::kStatusLine);
    statusLine_->setAccessibleName(tr("Status"));
    statusBar()->addWidget(statusLine_, 1);
    shareStatus_ = new QLabel(this);
    shareStatus_->setObjectName(object_name::kShareStatus);
    shareStatus_->setAccessibleName(tr("Sharing"));
    shareStatus_->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(shareStatus_);
    progress_ = new LoadProgress(*this, *statusLine_);
    connect(progress_, &LoadProgress::CancelRequested, this, [this] { session_.Stop(); });
}

QString MainWindow::StatusText() const {
    return statusLine_->WholeText();
}

void MainWindow::ShowStatus(const QString& text) {
    statusLine_->ShowText(text);
}

void MainWindow::AfterLoad(std::function<void()> next) {
    if (!session_.Loading()) {
        next();
        return;
    }
    afterLoad_ = std::move(next);
    session_.Stop();
}

void MainWindow::LoadEnded() {
    EnableIdleCommands(true);
    if (closeRequested_) {
        close();
    } else if (afterLoad_) {
        std::exchange(afterLoad_, {})();
    }
}

void MainWindow::OpenLog() {
    const QString path = chooseFile_();
    // A cancelled dialog leaves a load running alone.
    if (!path.isEmpty() || !session_.Loading()) {
        OpenLogFile(path);
    }
}

void MainWindow::OpenLogFile(const QString& path) {
    AfterLoad([this, path] { StartLog(path); });
}

void MainWindow::StartLog(const QString& path) {
    if (!path.isEmpty()) {
        progress_->Start(tr("Reading %1...").arg(path));
    }
    const std::string file = QFile::encodeName(path).toStdString();
    const std::optional<FileProblem> archiveProblem =
        path.isEmpty() ? std::nullopt : PrepareArchive();
    EnableIdleCommands(false);
    session_.OpenLog(file, [this, path, archiveProblem](const LoadOutcome& loaded) {
        progress_->End();
        LoadOutcome outcome = loaded;
        if (archiveProblem) {
            outcome.problems.insert(outcome.problems.begin(), *archiveProblem);
        }
        ShowLoadOutcome(path, outcome);
        LoadEnded();
    });
}

void MainWindow::ShowLoadOutcome(const QString& path, LoadOutcome outcome) {
    recentLogs_->AfterOpen(path, outcome.ran);
    outcome.shared = sharing_.TakeLoadCounts();
    if (outcome.ran) {
        frameCounter_->setToolTip(LoadStatus::FrameCounterToolTip(outcome));
    }
    if (!path.isEmpty()) {
        logFile_ = QFile::encodeName(path).toStdString();
        ShowStatus(LoadStatus::Text(outcome, path));
    }
}

void MainWindow::Connect() {
    const std::optional<LinkChoice> choice = chooseLink_(LinkChoice::Remembered());
    if (!choice) {
        return;
    }
    choice->Remember();
    AfterLoad([this, choice = *choice] { StartStream(choice); });
}

// A recording the disk cannot hold is said at once, not when the stream
// ends: the load's thread finds it, the window's thread says it.
void MainWindow::TellRecordingFailure(Recording& recording) {
    recording.TellFailureTo([this, &recording](int error) {
        emit RecordingFailed(reinterpret_cast<quintptr>(&recording),
                             QString::fromStdString(recording.Path()), error);
    });
}

void MainWindow::ShowRecordingFailure(quintptr recording, const QString& path, int error) {
    const FileProblem problem =
        ProblemFromErrno(FileProblem::Action::RecordLog, path.toStdString(), error);
    const QString text = tr("%1; the stream is still decoded, but no longer recorded.")
                             .arg(LoadStatus::ProblemText(problem));
    if (live_ && reinterpret_cast<quintptr>(live_->RecordingFile().get()) == recording) {
        live_->NoteRecordingFailure(text);
    }
    ShowStatus(text);
}

void MainWindow::StartStream(const LinkChoice& choice) {
    const std::optional<FileProblem> archiveProblem = PrepareArchive();
    auto live = std::make_unique<LiveSession>(choice);
    if (const QString problem = live->Start(); !problem.isEmpty()) {
        ShowStatus(problem);
        return;
    }
    ShowStatus(live->ConnectingText());
    live_ = std::move(live);
    TellRecordingFailure(*live_->RecordingFile());
    sinceChartDrawn_.start();
    disconnectAction_->setEnabled(true);
    EnableIdleCommands(false);
    session_.FollowStream(
        live_->RecordingFile(), live_->Opener(), [this, archiveProblem](const LoadOutcome& ended) {
            LoadOutcome outcome = ended;
            disconnectAction_->setEnabled(false);
            const QString path = live_->RecordingPath();
            const QString linkName = live_->LinkName();
            live_.reset();
            RedrawChart();
            if (!outcome.ran && outcome.problems.empty()) {
                ShowStatus(
                    tr("Nothing was received from %1, so nothing was recorded.").arg(linkName));
            } else {
                if (archiveProblem) {
                    outcome.problems.insert(outcome.problems.begin(), *archiveProblem);
                }
                ShowLoadOutcome(path, outcome);
            }
            LoadEnded();
        });
}

void MainWindow::Disconnect() {
    if (live_) {
        session_.Stop();
    }
}

std::optional<LinkChoice> MainWindow::ChooseLink(const LinkChoice& last) {
    ConnectDialog dialog(last, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

void MainWindow::RedrawChart() {
    session_.ShowChannelChart(chart_->Channels());
}

void MainWindow::EnableIdleCommands(bool idle) {
    // The archive and the sharing may not change under a load that feeds them.
    for (QAction* setting : {archiveAction_, stationAction_, shareAction_}) {
        setting->setEnabled(idle);
    }
    exportDataAction_->setEnabled(idle && session_.CurrentLoad() != nullptr);
}

void MainWindow::ExportData() {
    const LogLoad* shown = session_.Loading() ? nullptr : session_.CurrentLoad();
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
    progress_->Start(tr("Writing the data of the log to %1...").arg(folder));
    EnableIdleCommands(false);
    session_.ExportData({QFile::encodeName(folder).toStdString(), DataFormat::Csv},
                        [this, folder](const LoadOutcome& outcome) {
                            progress_->End();
                            ShowStatus(LoadStatus::DataExportText(outcome, folder));
                            LoadEnded();
                        });
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
    if (!DroppedLogPath(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedLogPath(*event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The drag's source waits for the drop to end; the load runs after it.
    QTimer::singleShot(0, this, [this, path] { OpenLogFile(path); });
}

void MainWindow::SaveChart(ImageFormat format) {
    const QStringList caption = ChartPictureCaption();
    const std::optional<QSize> size =
        chooseSize_(pictureSize_.value_or(ShownPictureSize(*chart_, caption)));
    if (!size) {
        return;
    }
    pictureSize_ = size;
    const QString path = chooseImage_(format);
    if (path.isEmpty()) {
        return;
    }
    const QString problem = SaveChartPicture(*chart_, path, format, caption, *size);
    ShowStatus(problem.isEmpty() ? tr("Chart saved to %1.").arg(path)
                                 : tr("Cannot save the chart to %1: %2.").arg(path, problem));
}

void MainWindow::EnableSaveChart() {
    savePngAction_->setEnabled(chart_->HasData());
    saveSvgAction_->setEnabled(chart_->HasData());
}

QString MainWindow::ChooseImageFile(ImageFormat format) {
    const bool png = format == ImageFormat::Png;
    const QString suffix = png ? QStringLiteral("png") : QStringLiteral("svg");
    // Beside the log, named as its report is.
    const QString beside =
        logFile_.empty() ? QString()
                         : QFile::decodeName(NameBesideLog(logFile_, suffix.toStdString()).c_str());
    QString path = QFileDialog::getSaveFileName(
        this, png ? tr("Save Chart as PNG") : tr("Save Chart as SVG"), beside,
        png ? tr("PNG Images (*.png)") : tr("SVG Drawings (*.svg)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += '.' + suffix;
    }
    return path;
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
        // The load ends at its next frame, a stream as at Disconnect with its
        // outputs finished, and the window closes then.
        closeRequested_ = true;
        session_.Stop();
        event->ignore();
        return;
    }
    ProgramSettings().setValue(kGeometryKey, saveGeometry());
    if (aboutBox_) {
        aboutBox_->close();
    }
    event->accept();
}

}  // namespace orvex
