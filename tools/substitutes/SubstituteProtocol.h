#pragma once
// What the stand-ins for Winamp, Yahoo! Messenger and the Trillian plug-in answer to, so that
// Windows tests and the demo can drive them without the real programs.
//
// SubstitutePlayer.exe [--title TEXT] [--position MS] [--length S] | --demo
//   A hidden top-level window of class kPlayerWindowClass titled TEXT.
//   SendMessage(WM_USER, kOutputTimePosition, kIpcGetOutputTime) -> position in ms, -1 when stopped
//   SendMessage(WM_USER, kOutputTimeLength,   kIpcGetOutputTime) -> length in seconds
//   WM_SETTEXT changes the title; kSetPositionMessage / kSetLengthMessage take the new value in
//   wParam (as int32). Defaults: position -1 (stopped), length 0.
//   --demo cycles through four made-up songs of about 20 s each, the position running in real time.
//
// SubstituteMessenger.exe --id ID [--log FILE] [--summary PLUGIN_LOG] [--im-window TITLE [--im-active]]
//   (console program)
//   A hidden top-level window of class kMessengerWindowClass. Each WM_COMMAND with wParam
//   kStatusChangedCommand and lParam kStatusChangedLParam reads ID's Custom Msgs key and prints,
//   to stdout and FILE, one line:
//     status "<5>" busy=<5_DND> bin=<5_bin as lowercase hex> w="<1_W>" dnd1=<1_DND>
//   where a value that is missing or of another type shows as `none` (without quotes).
//   Any other WM_COMMAND prints `command wParam=<n> lParam=<n>`.
//   With --summary, each status command instead prints, 0.6 s later, one line for people:
//     HH:MM:SS  "<5>"  busy=<5_DND>  plug-in got the same text | plug-in got "<text>" | plug-in not called
//   where the plug-in's part compares <5> with the last "call" line that PLUGIN_LOG gained since.
//   --im-window adds a shown top-level window of class kImWindowClass with that title; WM_SETTEXT
//   changes the title. Its caption is drawn inactive, or active with --im-active.
//   SendMessage(kSetImCaptionMessage, 1 or 0) draws the caption active or inactive;
//   SendMessage(kImCaptionActiveMessage) -> 1 while the caption is drawn active, else 0.
//
// Velloran.dll (the Trillian plug-in): exports kTrillianExport, a __stdcall
//   void MyTrill_SetStatus(const char* text, BOOL autoRespond)   (only the low byte of autoRespond
//   counts). It appends to the file named by kPluginLogVariable, else to "Velloran.dll.log" beside
//   the DLL:
//     load reg5="<value 5 of the ID in kPluginIdVariable, or empty>" posted=<0|1>
//         posted=1 when the first WM_COMMAND in the loading thread's queue has wParam 388
//     call "<text>" <0|1>
//     free      on FreeLibrary
//     exit      when the process ends with the DLL still loaded
// noexport/Velloran.dll logs load, free and exit the same way but exports nothing.

#include <string>

namespace substitute {

inline constexpr char kPlayerWindowClass[] = "Winamp v1.x";
inline constexpr unsigned kIpcGetOutputTime = 105;
inline constexpr unsigned kOutputTimePosition = 0;
inline constexpr unsigned kOutputTimeLength = 1;
// Offsets from WM_APP (0x8000), kept numeric so that this header needs no Windows headers.
inline constexpr unsigned kSetPositionMessage = 0x8000 + 1;
inline constexpr unsigned kSetLengthMessage = 0x8000 + 2;

inline constexpr char kMessengerWindowClass[] = "YahooBuddyMain";
inline constexpr char kImWindowClass[] = "YSearchMenuWndClass";
inline constexpr unsigned kSetImCaptionMessage = 0x8000 + 3;
inline constexpr unsigned kImCaptionActiveMessage = 0x8000 + 4;
inline constexpr unsigned kStatusChangedCommand = 388;
inline constexpr long kStatusChangedLParam = 1;

inline constexpr char kTrillianExport[] = "MyTrill_SetStatus";
inline constexpr char kPluginLogVariable[] = "VELLORAN_PLUGIN_LOG";
inline constexpr char kPluginIdVariable[] = "VELLORAN_PLUGIN_ID";

// Under HKEY_CURRENT_USER.
inline std::string customMessagesKey(const std::string& yahooId)
{
    return "Software\\Yahoo\\Pager\\profiles\\" + yahooId + "\\Custom Msgs";
}

}  // namespace substitute
