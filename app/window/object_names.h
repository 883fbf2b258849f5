#pragma once

#include <QString>

namespace orvex::object_name {

// Every widget keeps the object name its control has always had, so that
// tests and accessibility tools find each widget by it; widgets added later
// are named in the same manner. This is the one place
// where those names appear.

// The main window and its menus.
inline constexpr char kMainWindow[] = "Form1";
inline constexpr char kFileMenu[] = "MnuFile";
inline constexpr char kSettingsMenu[] = "MnuSettings";
inline constexpr char kOpenAction[] = "MenuFileOpen";
inline constexpr char kSavePngAction[] = "MenuFileSaveChartPng";
inline constexpr char kSaveSvgAction[] = "MenuFileSaveChartSvg";
inline constexpr char kExitAction[] = "MenuFileExit";
inline constexpr char kExportDataAction[] = "MenuFileExportData";
inline constexpr char kWriteReportAction[] = "WriteTLMFile";
inline constexpr char kWriteWodExportAction[] = "WriteWODFile";
inline constexpr char kAboutAction[] = "MnuInfo";
// File > Recent Files, a later addition.
inline constexpr char kRecentFilesMenu[] = "MnuRecentFiles";
// File > Connect and Disconnect, later additions.
inline constexpr char kConnectAction[] = "MenuFileConnect";
inline constexpr char kDisconnectAction[] = "MenuFileDisconnect";
// Settings > Archive, a later addition.
inline constexpr char kArchiveAction[] = "MenuSettingsArchive";
// Settings > Station and Share Frames, later additions.
inline constexpr char kStationAction[] = "MenuSettingsStation";
inline constexpr char kShareAction[] = "MenuSettingsShare";

// The strip above the channel panel.
inline constexpr char kTopLine[] = "Line1";
inline constexpr char kBottomLine[] = "Line2";
inline constexpr char kRecordTime[] = "Text3_3";
inline constexpr char kFrameList[] = "List1";
inline constexpr char kSoftwareVersion[] = "Text3_1";
inline constexpr char kRecordScrollBar[] = "HScroll1";
inline constexpr char kRecordPosition[] = "Text2";

// The channel panel's four frames, and the four widgets of channel row i.
inline constexpr char kVoltageFrame[] = "Frame2";
inline constexpr char kCurrentFrame[] = "Frame3";
inline constexpr char kTemperatureFrame[] = "Frame4";
inline constexpr char kStatusFrame[] = "Frame5";
inline QString ChannelSelector(int channel) {
    return QStringLiteral("Option1_%1").arg(channel);
}
inline QString ChannelName(int channel) {
    return QStringLiteral("Label1_%1").arg(channel);
}
inline QString ChannelValue(int channel) {
    return QStringLiteral("Text1_%1").arg(channel);
}
inline QString ChannelUnit(int channel) {
    return QStringLiteral("Label2_%1").arg(channel);
}
inline QString ChannelSwatch(int channel) {
    return QStringLiteral("Swatch_%1").arg(channel);
}

// The chart and the bottom strip.
inline constexpr char kChartFrame[] = "Frame1";
inline constexpr char kChart[] = "MSChart1";
// What a newcomer reads over the empty chart, a later addition.
inline constexpr char kFirstStartHint[] = "FirstStartHint";
inline constexpr char kLogPath[] = "Text4";
inline constexpr char kFrameCounter[] = "Label3";
inline constexpr char kStatusLine[] = "StatusLine";
// The chart's range: the log's history or a span of the archive's.
inline constexpr char kChartRange[] = "ComboChartRange";

// File > Connect's dialog.
inline constexpr char kConnectDialog[] = "Connect";
inline constexpr char kConnectTcp[] = "OptionTcp";
inline constexpr char kConnectSerial[] = "OptionSerial";
inline constexpr char kConnectHost[] = "TextHost";
inline constexpr char kConnectPort[] = "TextPort";
inline constexpr char kConnectDevice[] = "ComboDevice";
inline constexpr char kConnectBaudRate[] = "ComboBaudRate";
inline constexpr char kConnectFolder[] = "TextRecordFolder";

// Settings > Archive's dialog.
inline constexpr char kArchiveDialog[] = "Archive";
inline constexpr char kArchiveEnabled[] = "CheckArchive";
inline constexpr char kArchiveSqlite[] = "OptionSqlite";
inline constexpr char kArchiveFile[] = "TextArchiveFile";
inline constexpr char kArchivePostgres[] = "OptionPostgres";
inline constexpr char kArchiveParameters[] = "TextPostgresParameters";
inline constexpr char kArchiveStation[] = "TextStation";

// Settings > Station's dialog.
inline constexpr char kStationDialog[] = "Station";
inline constexpr char kStationCallsign[] = "TextCallsign";
inline constexpr char kStationLocation[] = "TextLocation";
inline constexpr char kStationNoradId[] = "TextNoradId";

// Settings > Share Frames' dialog, and the status line's count of it.
inline constexpr char kShareDialog[] = "ShareFrames";
inline constexpr char kShareEnabled[] = "CheckShare";
inline constexpr char kShareServers[] = "ListServers";
inline constexpr char kShareUrl[] = "TextServer";
inline constexpr char kShareAdd[] = "CommandAddServer";
inline constexpr char kShareAddSatnogs[] = "CommandAddSatnogs";
inline constexpr char kShareRemove[] = "CommandRemoveServer";
inline constexpr char kShareStatus[] = "ShareStatus";
inline constexpr char kCancelLoadButton[] = "CancelLoadButton";

// The dialog of the chart's chosen span of the archive.
inline constexpr char kSpanDialog[] = "ArchiveSpan";
inline constexpr char kSpanFrom[] = "DateTimeFrom";
inline constexpr char kSpanTo[] = "DateTimeTo";

// The about box.
inline constexpr char kAboutBox[] = "Info";
inline constexpr char kAboutTitle[] = "Label1";
inline constexpr char kAboutAuthor[] = "Label3";
inline constexpr char kAboutCallSign[] = "Label8";
inline constexpr char kAboutVersionFrame[] = "Frame1";
inline constexpr char kAboutVersion[] = "Label2";
inline constexpr char kAboutHomepageCaption[] = "Label6";
inline constexpr char kAboutHomepage[] = "Label4";
inline constexpr char kAboutMailCaption[] = "Label7";
inline constexpr char kAboutMail[] = "Label5";
inline constexpr char kAboutPicture[] = "Image1";
inline constexpr char kAboutClose[] = "CloseButton";

// The dialog of a saved chart's size.
inline constexpr char kPictureSizeDialog[] = "PictureSize";
inline constexpr char kPictureWidth[] = "SpinWidth";
inline constexpr char kPictureHeight[] = "SpinHeight";

}  // namespace orvex::object_name
