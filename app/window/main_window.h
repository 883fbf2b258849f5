#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/chart/archive_channel_history.h"
#include "app/chart/chart_export.h"
#include "app/chart/chart_range_box.h"
#include "app/settings/archive_choice.h"
#include "app/settings/link_choice.h"
#include "app/settings/share_choice.h"
#include "app/settings/station_choice.h"
#include "app/settings/window_archive.h"
#include "app/settings/window_sharing.h"
#include "load/load_context.h"
#include "outputs/output_options.h"
#include "session/decoder_display.h"
#include "session/decoder_session.h"
#include "text/locale_format.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace orvex {

class AboutBox;
class ChannelPanel;
class FrameListModel;
class HistoryChart;
class LiveSession;
class LoadProgress;
class Recording;
class RecentLogsMenu;
class StatusLine;
class TopStrip;

// The main window: menus, the strip of status fields, the channel panel, the
// history chart, the bottom strip and the status line. It shows what its
// decoder session finds, and owns the session, whose loads run on a thread
// of their own: the window never waits for one. A command that reads a log
// or a stream during a load ends that load at its next frame and runs when
// it has ended. The window may grow: the chart takes the room, and the
// window's size is remembered for the next run.
class MainWindow : public QMainWindow, public DecoderDisplay {
    Q_OBJECT
public:
    explicit MainWindow(const LocaleFormat& format, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The Open command's file dialog: returns the chosen path, or nothing
    // when cancelled. Tests choose the log themselves.
    using FileChooser = std::function<QString()>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    // The dialog of File > Save Chart as PNG or SVG, likewise.
    using ImageChooser = std::function<QString(ImageFormat)>;
    void SetImageChooser(ImageChooser chooser) { chooseImage_ = std::move(chooser); }
    // The dialog of the picture's size before it, opened at `start`: returns
    // the size chosen, or nothing when cancelled.
    using PictureSizeChooser = std::function<std::optional<QSize>(const QSize& start)>;
    void SetPictureSizeChooser(PictureSizeChooser chooser) { chooseSize_ = std::move(chooser); }
    // The Export Data command's folder dialog, opened at `start`: returns the
    // chosen folder, or nothing when cancelled.
    using FolderChooser = std::function<QString(const QString& start)>;
    void SetFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }

    // File > Connect's dialog, opened with the last choice: returns the
    // link chosen, or nothing when cancelled.
    using LinkChooser = std::function<std::optional<LinkChoice>(const LinkChoice& last)>;
    void SetLinkChooser(LinkChooser chooser) { chooseLink_ = std::move(chooser); }
    // Settings > Archive's dialog, likewise.
    using ArchiveChooser = std::function<std::optional<ArchiveChoice>(const ArchiveChoice& last)>;
    void SetArchiveChooser(ArchiveChooser chooser) { chooseArchive_ = std::move(chooser); }
    // Settings > Station's and Share Frames' dialogs, likewise.
    using StationChooser = std::function<std::optional<StationChoice>(const StationChoice& last)>;
    void SetStationChooser(StationChooser chooser) { chooseStation_ = std::move(chooser); }
    using ShareChooser = std::function<std::optional<ShareChoice>(const ShareChoice& last)>;
    void SetShareChooser(ShareChooser chooser) { chooseShare_ = std::move(chooser); }
    // The dialog of the chart's span of the archive, likewise.
    using SpanChooser = std::function<std::optional<ArchiveSpan>(const ArchiveSpan& last)>;
    void SetSpanChooser(SpanChooser chooser) { chooseSpan_ = std::move(chooser); }

    // What the status line under the window says.
    QString StatusText() const;

    // The Open command with `path` chosen: what a log given on the command
    // line, dropped on the window or chosen under Recent Files does. An
    // empty path is a cancelled dialog.
    void OpenLogFile(const QString& path);

    // Whether no load runs and none waits for one to end.
    bool Idle() const { return !session_.Loading() && !afterLoad_; }

    // DecoderDisplay
    void ShowChannelLabels(int channel, std::string_view name, std::string_view unit) override;
    void ShowChannelValue(int channel, std::string_view text, bool fromEarlierFrame) override;
    void ShowRecordTime(std::string_view text) override;
    void ShowRecordPosition(std::string_view text) override;
    void ShowSoftwareVersion(int version) override;
    void ShowLogPath(std::string_view path) override;
    void ShowFrameCount(std::uint64_t frameCount) override;
    void ForgetShownLoad() override;
    void AddFrameText(std::string_view text) override;
    void EnableRecordNavigation() override;
    void SetRecordCount(int count) override;
    int RecordPosition() const override;
    void MoveToRecord(int position) override;
    void SelectChannel(int channel) override;
    void ShowChart(std::string_view caption, const std::vector<int>& channels,
                   std::shared_ptr<const ChannelHistory> history) override;
    void HistoryGrew() override;
    void ShowStreamState(const StreamState& state) override;
    void ShowLoadProgress(int percent) override;
    void ShowBusy() override;
    void ShowIdle() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

signals:
    // Sent from the load's thread: its arguments are copied by Qt, so
    // nothing the thread built is read by the window's thread.
    void RecordingFailed(quintptr recording, const QString& path, int error);

private:
    void CreateActions();
    void CreateMenus();
    void CreateClientArea();
    QWidget* CreateChartFrame(QWidget* client);
    void CreateBottomStrip(QWidget* client);
    void CreateStatusLine();

    void OpenLog();
    // Runs `next` now, or once the load running has ended at its next frame;
    // a later command replaces one that waits.
    void AfterLoad(std::function<void()> next);
    // A load ended: the window closes if asked to, or runs what waited.
    void LoadEnded();
    void StartLog(const QString& path);
    // What the status line, the frame counter and Recent Files tell after a
    // log was read or a stream followed.
    void ShowLoadOutcome(const QString& path, LoadOutcome outcome);
    // File > Connect: follows the chosen link until Disconnect, another
    // command that reads or Exit.
    void Connect();
    void StartStream(const LinkChoice& choice);
    void Disconnect();
    std::optional<LinkChoice> ChooseLink(const LinkChoice& last);
    // Settings > Archive.
    void ConfigureArchive();
    std::optional<ArchiveChoice> ChooseArchive(const ArchiveChoice& last);
    // Opens the archive chosen, for the loads and the chart; tells when it
    // cannot be opened.
    void ApplyArchive(const ArchiveChoice& choice);
    // Before a load: the archive on but not open yet is tried again; why it
    // cannot be, for the load's outcome.
    std::optional<FileProblem> PrepareArchive();
    // The loads' archive and the chart's ranges, as the archive now is.
    void FollowArchive();
    void ChooseChartRange(ChartRange range);
    // Settings > Station and Share Frames: the sharer started or stopped as
    // they say, and told.
    void ConfigureStation();
    void ConfigureSharing();
    std::optional<StationChoice> ChooseStation(const StationChoice& last);
    std::optional<ShareChoice> ChooseShare(const ShareChoice& last);
    void ApplySharing(const ShareChoice& share, const StationChoice& station);
    // The status line's count of the servers' frames, as the sharer last told.
    void ShowShareStatus();
    std::optional<ArchiveSpan> ChooseSpan(const ArchiveSpan& last);
    // What the chart now shows of the archive, or why it cannot.
    QString ArchiveRangeText() const;
    // The archive's history for the range chosen, read again: it grows with
    // every load.
    void RefreshArchiveHistory();
    // The channels charted, drawn again from the history as it is now.
    void RedrawChart();
    void SaveChart(ImageFormat format);
    // The commands that may not run beside a load: the archive may not
    // change under a load that writes to it, and Export Data reads the log
    // shown.
    void EnableIdleCommands(bool idle);
    QStringList ChartPictureCaption() const;
    // Save Chart is offered only while the chart shows points.
    void EnableSaveChart();
    void ExportData();
    QString ChooseDataFolder(const QString& start);
    void ShowAboutBox();
    QString ChooseLogFile();
    QString ChooseImageFile(ImageFormat format);
    void ShowStatus(const QString& text);
    void TellRecordingFailure(Recording& recording);
    void ShowRecordingFailure(quintptr recording, const QString& path, int error);

    LocaleFormat format_;
    OutputOptions outputs_;
    WindowArchive archive_;  // outlives the load context, which points into it
    WindowSharing sharing_;  // outlives the session, which hands it frames
    LoadContext loadContext_{format_, outputs_};
    FrameListModel* frameList_;
    TopStrip* strip_ = nullptr;
    ChannelPanel* panel_ = nullptr;
    QGroupBox* chartFrame_ = nullptr;
    HistoryChart* chart_ = nullptr;
    ChartRangeBox* range_ = nullptr;
    QLineEdit* logPath_ = nullptr;
    QLabel* frameCounter_ = nullptr;
    StatusLine* statusLine_ = nullptr;
    LoadProgress* progress_ = nullptr;  // while a log is read
    QLabel* shareStatus_ = nullptr;

    QAction* openAction_ = nullptr;
    QAction* savePngAction_ = nullptr;
    QAction* saveSvgAction_ = nullptr;
    QAction* exportDataAction_ = nullptr;
    QAction* connectAction_ = nullptr;
    QAction* disconnectAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* writeReportAction_ = nullptr;
    QAction* writeWodExportAction_ = nullptr;
    QAction* archiveAction_ = nullptr;
    QAction* stationAction_ = nullptr;
    QAction* shareAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    RecentLogsMenu* recentLogs_ = nullptr;
    QPointer<AboutBox> aboutBox_;

    FileChooser chooseFile_;
    ImageChooser chooseImage_;
    PictureSizeChooser chooseSize_;
    FolderChooser chooseFolder_;
    LinkChooser chooseLink_;
    ArchiveChooser chooseArchive_;
    SpanChooser chooseSpan_;
    StationChooser chooseStation_;
    ShareChooser chooseShare_;
    std::shared_ptr<ArchiveChannelHistory> archiveHistory_;
    ChartRange shownRange_ = ChartRange::Log;
    std::optional<ArchiveSpan> chosenSpan_;  // the last span chosen
    std::optional<QSize> pictureSize_;       // the last size of a saved chart, for this run
    std::unique_ptr<LiveSession> live_;      // while a stream is followed
    QElapsedTimer sinceChartDrawn_;          // while a stream is followed
    std::string logFile_;                    // the log last opened, in the file system's encoding
    QString dataFolder_;                     // the folder of the last data export
    int shownVersion_ = -1;
    std::function<void()> afterLoad_;  // a command asked for during a load
    bool closeRequested_ = false;      // during a load, which ends first
    DecoderSession session_;
};

}  // namespace orvex
