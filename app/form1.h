#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <string>

#include "input/load_pipeline.h"
#include "input/locale_format.h"
#include "input/window_port.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace orvex {

class ChannelPanel;
class FrameListModel;
class HistoryChart;
class Info;
class TopStrip;

// The main window: menus, the strip of status fields, the channel panel, the
// history chart and the bottom strip. It is the window the decoding core
// talks to, and it owns the core's session.
class Form1 : public QMainWindow, public WindowPort {
    Q_OBJECT
public:
    explicit Form1(const LocaleFormat& format, QWidget* parent = nullptr);
    ~Form1() override;

    // The Open command's file dialog: returns the chosen path, or nothing
    // when cancelled. Tests choose the log themselves.
    using FileChooser = std::function<QString()>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    // Shows the message at the end of a load.
    using MessageSink = std::function<void(QMessageBox::Icon, const QString&)>;
    void setMessageSink(MessageSink sink) { showMessage_ = std::move(sink); }

    void SetText1(int row, std::string_view text) override;
    void SetLabel1Caption(int row, std::string_view text) override;
    void SetLabel2Caption(int row, std::string_view text) override;
    void SetText2(std::string_view text) override;
    void SetText3(int index, std::string_view text) override;
    void SetText4(std::string_view logPath) override;
    void ClearList1() override;
    void AddList1Item(std::string_view text) override;
    bool WriteTLMFileChecked() const override;
    bool WriteWODFileChecked() const override;
    void EnableHScroll1() override;
    void SetHScroll1Max(int max) override;
    int HScroll1Position() const override;
    void SetOption1(int row) override;
    void ShowChart(std::string_view caption, const std::vector<ChartPoint>& points) override;
    void ShowBusyPointer() override;
    void RestorePointer() override;
    void YieldAfterFrame(std::uint64_t frameCount) override;
    void ShowFrameCount(std::uint64_t frameCount) override;
    void YieldWhileReading() override;
    bool StopRequested() const override { return stopRequested_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createClientArea();
    void createChartFrame(QWidget* client);
    void createBottomStrip(QWidget* client);

    void MenuFileOpen_Click();
    void MnuInfo_Click();
    QString ChooseLogFile();
    void ShowMessageBox(QMessageBox::Icon icon, const QString& text);
    void ReportLoad(const LoadOutcome& outcome);
    void ShowProgress(std::uint64_t frameCount);
    // True, and the clock restarted, once a yield interval has passed.
    bool YieldDue();

    LocaleFormat format_;
    FrameListModel* frameList_;
    TopStrip* strip_ = nullptr;
    ChannelPanel* panel_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    HistoryChart* chart_ = nullptr;
    QLineEdit* text4_ = nullptr;
    QLabel* label3_ = nullptr;

    QAction* menuFileOpen_ = nullptr;
    QAction* menuFileExit_ = nullptr;
    QAction* writeTLMFile_ = nullptr;
    QAction* writeWODFile_ = nullptr;
    QAction* mnuInfo_ = nullptr;
    QPointer<Info> info_;

    FileChooser chooseFile_;
    MessageSink showMessage_;
    std::string shownVersion_;
    QElapsedTimer yieldClock_;
    bool stopRequested_ = false;
    DecoderSession session_;
};

}  // namespace orvex
