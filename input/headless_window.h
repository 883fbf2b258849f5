#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "input/window_port.h"
#include "telemetry/channel_table.h"

namespace orvex {

// The window operations held in memory, for the command-line decoder and the
// tests. The scroll bar follows the window's rules (position 1 at start,
// range 1..max, or 0..0 without records) and calls onHScroll1Change when a
// new range moves its position.
class HeadlessWindow : public WindowPort {
public:
    // keepList1 false only counts List1's items, so a long log's text frames
    // take no memory.
    explicit HeadlessWindow(bool keepList1 = true) : keepList1_(keepList1) {}

    void SetText1(int row, std::string_view text) override { text1[row] = text; }
    void SetLabel1Caption(int row, std::string_view text) override { label1[row] = text; }
    void SetLabel2Caption(int row, std::string_view text) override { label2[row] = text; }
    void SetText2(std::string_view text) override { text2 = text; }
    void SetText3(int index, std::string_view text) override { text3[index] = text; }
    void SetText4(std::string_view logPath) override { text4 = logPath; }
    void ClearList1() override {
        list1.clear();
        list1Count = 0;
    }
    void AddList1Item(std::string_view text) override;
    bool WriteTLMFileChecked() const override { return writeTlmFile; }
    bool WriteWODFileChecked() const override { return writeWodFile; }
    void EnableHScroll1() override { hScroll1Enabled = true; }
    void SetHScroll1Max(int max) override;
    int HScroll1Position() const override { return hScroll1Position; }
    void SetOption1(int row) override { selectedRow = row; }
    void ShowChart(std::string_view caption, const std::vector<ChartPoint>& points) override {
        frame1Caption = caption;
        chart = points;
    }
    void ShowBusyPointer() override { busy = true; }
    void RestorePointer() override { busy = false; }
    void YieldAfterFrame(std::uint64_t frameCount) override;
    void ShowFrameCount(std::uint64_t frameCount) override;
    void YieldWhileReading() override;
    bool StopRequested() const override { return stopRequested; }

    std::array<std::string, kChannelCount> text1, label1, label2;
    std::string text2;
    std::array<std::string, 4> text3;
    std::string text4;
    std::string label3;
    std::vector<std::string> list1;
    std::uint64_t list1Count = 0;
    bool writeTlmFile = true;
    bool writeWodFile = true;
    bool hScroll1Enabled = false;
    int hScroll1Minimum = 1;
    int hScroll1Maximum = 1;
    int hScroll1Position = 1;
    int selectedRow = -1;
    std::string frame1Caption;
    std::vector<ChartPoint> chart;
    bool busy = false;
    bool stopRequested = false;
    std::uint64_t yields = 0;
    std::uint64_t readingYields = 0;

    std::function<void(int position)> onHScroll1Change;
    std::function<void(std::uint64_t frameCount)> onYield;
    std::function<void()> onReadingYield;

private:
    bool keepList1_;
};

}  // namespace orvex
