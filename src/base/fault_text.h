// The texts of run-time faults: what a fault carries and what the
// mechanism's own box says. Kept apart from the mechanism so that they build
// anywhere, with nothing of the platform.
#pragma once

#include <string>
#include <string_view>

// Codes with a message of their own; code 0 faults bring their text.
enum FaultCode : int {
    kFaultOwnText = 0,
    kFaultIndexAboveCount = 1,
    kFaultIndexBelowOne = 4,
};

std::string_view FaultMessage(int code);

// The message, CR LF, the routine number and position joined by ", ", CR LF.
std::string ComposeFaultText(std::string_view message, int routine, int position);

// The fault text of a window that cannot be created: the window's identifier
// in place of the routine number, and a line naming the window in quotes (or
// saying that no such window is known) before the closing CR LF.
std::string ComposeWindowFaultText(int windowId, std::string_view windowName);

// What the mechanism's own box says when no handler reported the fault.
std::string ComposeMechanismBoxText(int code, std::string_view faultText);
