#pragma once
// A program started by a Windows test and ended with it: asked to close through WM_CLOSE to its
// windows, terminated if it does not go within a few seconds.
#include "framework/Handles.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace velloran::testing {

class ChildProcess {
public:
    // Starts COMMAND_LINE. With captureOutput its standard output goes to a pipe read through
    // readOutputLine; otherwise it shares this process's console. Throws std::runtime_error when
    // the program cannot be started.
    explicit ChildProcess(const std::string& commandLine, bool captureOutput = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // A top-level window of the class, owned by this process, once it exists; null after TIMEOUT.
    HWND waitForWindow(const char* className,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // Every top-level window of the class that this process owns now.
    std::vector<HWND> windows(const char* className) const;

    // The next line of output without its line end; empty after TIMEOUT.
    std::optional<std::string> readOutputLine(std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // The exit code once the process has ended; empty if it still runs after TIMEOUT.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

    // WM_CLOSE to each of its top-level windows, then TerminateProcess as the fallback.
    void close();

private:
    TKernelHandle process_;
    TKernelHandle thread_;
    DWORD processId_ = 0;
    TFileHandle output_;
    std::string pending_;
};

}  // namespace velloran::testing
