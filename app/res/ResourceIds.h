// Numbers of the dialog templates, string-table entries and icons the program's code names.
#pragma once

namespace res {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Dialog templates.
inline constexpr int kDialogAbout = 100;
inline constexpr int kDialogMain = 102;
inline constexpr int kDialogMessage = 118;
inline constexpr int kDialogItemMenu = 134;
inline constexpr int kDialogPartsList = 135;
inline constexpr int kDialogSequencePane = 139;
inline constexpr int kDialogScrollFrame = 140;
inline constexpr int kDialogWaiting = 176;
inline constexpr int kDialogInformationPane = 183;
inline constexpr int kDialogProgress = 185;
inline constexpr int kDialogAdjustment = 285;
inline constexpr int kDialogTop = 300;

// The icon of the main window and the about box.
inline constexpr int kIconMain = 117;

// String-table entries.
inline constexpr int kStrShowVersion = 101;
inline constexpr int kStrWouldYouCancel = 102;
inline constexpr int kStrForWindows = 103;
inline constexpr int kStrRegistryKey = 105;
inline constexpr int kStrIniFile = 108;
inline constexpr int kStrInterfaceError = 111;
inline constexpr int kStrParameter = 112;
inline constexpr int kStrConfirmation = 131;
inline constexpr int kStrBack = 132;
inline constexpr int kStrNext = 133;
inline constexpr int kStrFinish = 134;
inline constexpr int kStrCancel = 135;
inline constexpr int kStrStatus = 137;
inline constexpr int kStrPrinterInfo = 138;
inline constexpr int kStrInformation = 200;
inline constexpr int kStrSequence = 201;
inline constexpr int kStrAdjustmentProgram = 202;

}  // namespace res
