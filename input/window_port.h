#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// One point of the channel history chart: a record's value and its time of
// day.
struct ChartPoint {
    double value = 0;
    std::string label;
};

// The window operations the decoding core uses, named for the controls they
// act on. Texts are single-byte (Latin-1) strings, except the log path, which
// is in the file system's own encoding. The Qt main window implements this;
// HeadlessWindow serves the command-line decoder and the tests.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // Channel panel, row 0..37: value field, name label, unit label.
    virtual void SetText1(int row, std::string_view text) = 0;
    virtual void SetLabel1Caption(int row, std::string_view text) = 0;
    virtual void SetLabel2Caption(int row, std::string_view text) = 0;

    virtual void SetText2(std::string_view text) = 0;             // record position
    virtual void SetText3(int index, std::string_view text) = 0;  // 1 version, 3 record time
    virtual void SetText4(std::string_view logPath) = 0;          // path of the log

    virtual void ClearList1() = 0;
    virtual void AddList1Item(std::string_view text) = 0;

    virtual bool WriteTLMFileChecked() const = 0;
    virtual bool WriteWODFileChecked() const = 0;

    virtual void EnableHScroll1() = 0;
    // Range 1..max, or 0..0 without records. A position moved by the new range
    // runs the window's position-change handling.
    virtual void SetHScroll1Max(int max) = 0;
    virtual int HScroll1Position() const = 0;

    // Sets the selector of a row; a selector that was not set runs the
    // window's channel selection.
    virtual void SetOption1(int row) = 0;
    // Frame1's caption and the chart's rows.
    virtual void ShowChart(std::string_view caption, const std::vector<ChartPoint>& points) = 0;

    virtual void ShowBusyPointer() = 0;
    virtual void RestorePointer() = 0;

    // After every frame: let the window process pending events and show the
    // count in Label3. A window may do both less often (by elapsed time) as
    // long as ShowFrameCount follows the last frame.
    virtual void YieldAfterFrame(std::uint64_t frameCount) = 0;
    virtual void ShowFrameCount(std::uint64_t frameCount) = 0;
    // Between blocks of the log: let the window process pending events, as a
    // long stretch without frames (or an endless device) would otherwise
    // leave it frozen. The count stays as it is.
    virtual void YieldWhileReading() = 0;
    // True once the user has asked the program to end during a load.
    virtual bool StopRequested() const = 0;
};

// "12 frames"
std::string FrameCountCaption(std::uint64_t frameCount);
// "#3 / 12"
std::string RecordPositionText(int position, int recordCount);

}  // namespace orvex
