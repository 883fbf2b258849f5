#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <string>

#include "load/decoder_display.h"
#include "load/decoder_session.h"
#include "load/load_context.h"
#include "outputs/output_options.h"
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
class RecentLogsMenu;
class TopStrip;

// The main window: menus, the strip of status fields, the channel panel, the
// history chart and the bottom strip. It shows what its decoder session
// finds, and owns the session.
class MainWindow : public QMainWindow, public DecoderDisplay {
    Q_OBJECT
public:
    explicit MainWindow(const LocaleFormat& format, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The Open command's file dialog: returns the chosen path, or nothing
    // when cancelled. Tests choose the log themselves.
    using FileChooser = std::function<QString()>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    // The Export Data command's folder dialog, opened at `start`: returns the
    // chosen folder, or nothing when cancelled.
    using FolderChooser = std::function<QString(const QString& start)>;
    void SetFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }
    // Shows the message at the end of a load.
    using MessageSink = std::function<void(QMessageBox::Icon, const QString&)>;
    void SetMessageSink(MessageSink sink) { showMessage_ = std::move(sink); }

    // The Open command with `path` chosen: what a log given on the command
    // line, dropped on the window or chosen under Recent Files does. An
    // empty path is a cancelled dialog.
    void OpenLogFile(const QString& path);

    // DecoderDisplay
    void ShowChannelLabels(int channel, std::string_view name, std::string_view unit) override;
    void ShowChannelValue(int channel, std::string_view text) override;
    void ShowRecordTime(std::string_view text) override;
    void ShowRecordPosition(std::string_view text) override;
    void ShowSoftwareVersion(std::string_view text) override;
    void ShowLogPath(std::string_view path) override;
    void ShowFrameCount(std::uint64_t frameCount) override;
    void ClearFrameTexts() override;
    void AddFrameText(std::string_view text) override;
    void EnableRecordNavigation() override;
    void SetRecordCount(int count) override;
    int RecordPosition() const override;
    void SelectChannel(int channel) override;
    void ShowChart(std::string_view caption, const std::vector<ChartPoint>& points) override;
    void ShowBusy() override;
    void ShowIdle() override;
    void AfterFrame(std::uint64_t frameCount) override;
    void WhileReading() override;
    bool StopRequested() const override { return stopRequested_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateClientArea();
    void CreateChartFrame(QWidget* client);
    void CreateBottomStrip(QWidget* client);

    void OpenLog();
    void SetOpenCommandsEnabled(bool enabled);
    void ExportData();
    QString ChooseDataFolder(const QString& start);
    // Runs a command that reads a log; the window closes after it when the
    // user asked to close during it.
    void RunLoad(const std::function<void()>& command);
    void ShowAboutBox();
    QString ChooseLogFile();
    void ShowMessageBox(QMessageBox::Icon icon, const QString& text);
    void ReportLoad(const LoadOutcome& outcome);
    void ShowProgress(std::uint64_t frameCount);
    // True, and the clock restarted, once a yield interval has passed.
    bool YieldDue();

    LocaleFormat format_;
    OutputOptions outputs_;
    LoadContext loadContext_{format_, outputs_};
    FrameListModel* frameList_;
    TopStrip* strip_ = nullptr;
    ChannelPanel* panel_ = nullptr;
    QGroupBox* chartFrame_ = nullptr;
    HistoryChart* chart_ = nullptr;
    QLineEdit* logPath_ = nullptr;
    QLabel* frameCounter_ = nullptr;

    QAction* openAction_ = nullptr;
    QAction* exportDataAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* writeReportAction_ = nullptr;
    QAction* writeWodExportAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    RecentLogsMenu* recentLogs_ = nullptr;
    QPointer<AboutBox> aboutBox_;

    FileChooser chooseFile_;
    FolderChooser chooseFolder_;
    QString dataFolder_;  // the folder of the last data export
    MessageSink showMessage_;
    std::string shownVersion_;
    QElapsedTimer yieldClock_;
    bool stopRequested_ = false;
    DecoderSession session_;
};

}  // namespace orvex
