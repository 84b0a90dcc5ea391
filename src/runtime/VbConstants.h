#pragma once
// The classic runtime's constants, with their names and values: message-box styles and answers,
// mouse pointers, check-box states and the reasons a form is unloaded.

namespace lumetra::runtime {

// Message-box styles: buttons in the low bits, icon in the next ones.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbExclamationOKCancel = vbExclamation | vbOKCancel; // 49, OK default

// Message-box answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;

// Mouse pointers.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrowHourglass = 13;

// Check-box states.
inline constexpr int vbUnchecked = 0;
inline constexpr int vbChecked = 1;
inline constexpr int vbGrayed = 2;

// Why a form is being unloaded.
inline constexpr int vbFormControlMenu = 0; // the user closed the window
inline constexpr int vbFormCode = 1;
inline constexpr int vbAppWindows = 2; // the session ends

} // namespace lumetra::runtime
