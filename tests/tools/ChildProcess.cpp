#include "ChildProcess.h"

#include <stdexcept>
#include <thread>
#include <vector>

namespace velloran::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

struct WindowSearch {
    DWORD processId;
    const char* className;  // null: every window of the process
    std::vector<HWND> found;
};

BOOL CALLBACK collectProcessWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId)
        return TRUE;
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    if (!search.className || lstrcmpA(className, search.className) == 0)
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> processWindows(DWORD processId, const char* className)
{
    WindowSearch search{processId, className, {}};
    EnumWindows(collectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& commandLine, bool captureOutput)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    TFileHandle childOutput;
    if (captureOutput) {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
            throw std::runtime_error("CreatePipe failed");
        output_.reset(readEnd);
        childOutput.reset(writeEnd);
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = writeEnd;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    std::string mutableCommandLine = commandLine;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, mutableCommandLine.data(), nullptr, nullptr, captureOutput, 0, nullptr,
                        nullptr, &startup, &started))
        throw std::runtime_error("cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")");
    process_.reset(started.hProcess);
    thread_.reset(started.hThread);
    processId_ = started.dwProcessId;
    // childOutput closes here, so the pipe reports its end once the child has gone.
}

ChildProcess::~ChildProcess()
{
    close();
}

HWND ChildProcess::waitForWindow(const char* className, std::chrono::milliseconds timeout) const
{
    const auto deadline = Clock::now() + timeout;
    do {
        if (const auto found = processWindows(processId_, className); !found.empty())
            return found.front();
        std::this_thread::sleep_for(kPollInterval);
    } while (Clock::now() < deadline);
    return nullptr;
}

std::vector<HWND> ChildProcess::windows(const char* className) const
{
    return processWindows(processId_, className);
}

std::optional<std::string> ChildProcess::readOutputLine(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const auto end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        DWORD available = 0;
        if (!output_ || !PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr))
            return std::nullopt;
        if (available > 0) {
            std::string chunk(available, '\0');
            DWORD read = 0;
            if (!ReadFile(output_.get(), chunk.data(), available, &read, nullptr))
                return std::nullopt;
            pending_.append(chunk, 0, read);
            continue;
        }
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::optional<DWORD> ChildProcess::waitForExit(std::chrono::milliseconds timeout) const
{
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::close()
{
    if (!process_)
        return;
    if (!waitForExit(std::chrono::milliseconds(0))) {
        for (const HWND window : processWindows(processId_, nullptr))
            PostMessageA(window, WM_CLOSE, 0, 0);
        if (!waitForExit(std::chrono::seconds(3))) {
            TerminateProcess(process_.get(), 1);
            waitForExit(std::chrono::seconds(3));
        }
    }
    process_.reset();
    thread_.reset();
    output_.reset();
}

}  // namespace velloran::testing
