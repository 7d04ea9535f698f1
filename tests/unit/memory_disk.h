#pragma once

// A disk in memory behind the transaction's file port, which a test can crash or fail at any one of
// its operations: every step of a save can then be cut short, one after another.
#include "transaction/file_port.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing_support
{

using transaction::FileFault;
using transaction::FileResult;
using transaction::FileToken;
using transaction::RunId;

// What the port's runs share: the files of the one folder (by full path) and the runs that still live.
struct MemoryDisk
{
    static constexpr const char* kFolder = R"(C:\Tools)";
    std::map<std::string, std::string> files;
    std::vector<RunId> running;
};

// What happens at the port's operation number `at` (counted from 0): a crash (that
// operation and every later one do nothing, and a write is torn in half), or a failure of one kind:
// once, at it and the next one (so that what mends the first failure fails too), or from then on.
struct Fault
{
    enum Mode
    {
        Crash,
        Once,
        Twice,
        ForGood
    } mode = Once;
    int at = -1; // none: no fault
    FileFault kind = FileFault::None;
};

class MemoryPort final : public transaction::FilePort
{
public:
    MemoryPort(MemoryDisk& disk, RunId run, Fault fault = {}) : m_disk(disk), m_run(run), m_fault(fault) {}

    int operations = 0;
    bool crashed = false;

    FileResult CreateNew(const std::string& path, FileToken& file) override
    {
        return Do({}, path, [&] { m_disk.files[m_open[file = operations] = path] = {}; }); // made empty, and open
    }
    FileResult Write(FileToken file, std::string_view bytes) override
    {
        const FileResult result = Do({}, {}, [&] { m_disk.files[m_open[file]] += bytes; });
        if (crashed && m_struck)
            m_disk.files[m_open[file]] += bytes.substr(0, bytes.size() / 2); // torn
        return result;
    }
    FileResult FlushAndClose(FileToken file) override
    {
        m_open.erase(file);
        return Do();
    }
    void Abandon(FileToken file) noexcept override { m_open.erase(file); }
    FileResult Copy(const std::string& from, const std::string& to) override
    {
        const FileResult result = Do(from, to, [&] { m_disk.files[to] = m_disk.files[from]; });
        // A full disk cuts a copy short, and leaves what it copied.
        if (result.fault == FileFault::DiskFull && m_struck && m_disk.files.contains(from))
            m_disk.files[to] = m_disk.files[from].substr(0, 1);
        return result;
    }
    FileResult Replace(const std::string& from, const std::string& to) override
    {
        return Do(from, {}, [&] { m_disk.files[to] = std::move(m_disk.files.extract(from).mapped()); });
    }
    FileResult Delete(const std::string& path) override
    {
        return Do(path, {}, [&] { m_disk.files.erase(path); });
    }
    FileResult Read(const std::string& path, std::string& bytes) override
    {
        return Do(path, {}, [&] { bytes = m_disk.files[path]; });
    }
    FileResult List(const std::string&, std::vector<std::string>& names) override
    {
        return Do({}, {}, [&] {
            for (const auto& [path, bytes] : m_disk.files)
                names.push_back(path.substr(path.rfind('\\') + 1));
        });
    }
    bool IsReadOnly(const std::string&) override { return false; }
    FileResult ProbeHeld(const std::string&) override { return Do(); }
    RunId ThisRun() override { return m_run; }
    bool IsRunning(const RunId& run) override { return std::ranges::count(m_disk.running, run) > 0; }
    std::uint64_t NowMs() override { return m_now; }
    void Pause(std::uint32_t ms) override { m_now += ms; }

private:
    // Counts the operation and does it, unless the fault strikes it, the file at `there` is missing or
    // the one at `absent` exists (an empty path asks nothing).
    FileResult Do(
        const std::string& there = {}, const std::string& absent = {}, const std::function<void()>& effect = [] {})
    {
        constexpr int kFailing[] = {0, 1, 2, INT_MAX}; // how many operations fail, by mode
        const int number = operations++;
        m_struck = number == m_fault.at;
        crashed = crashed || (m_fault.mode == Fault::Crash && m_struck);
        if (crashed)
            return {FileFault::Other, 51, "crashed"};
        if (number >= m_fault.at && number - m_fault.at < kFailing[m_fault.mode])
            return {m_fault.kind, 70, "injected"};
        if (!there.empty() && !m_disk.files.contains(there))
            return {FileFault::NotFound, 53, {}};
        if (!absent.empty() && m_disk.files.contains(absent))
            return {FileFault::Exists, 58, {}};
        effect();
        return {};
    }

    MemoryDisk& m_disk;
    RunId m_run;
    Fault m_fault;
    std::map<FileToken, std::string> m_open;
    std::uint64_t m_now = 0;
    bool m_struck = false; // the fault's operation is the one under way
};

// Every instance gets the turn: the instances of a test run one after another.
struct FreeTurn final : transaction::FolderTurn
{
    bool Take(const std::string&, std::uint32_t) override { return true; }
    void Release() noexcept override {}
};

// Counts the waits that the user would see.
struct CountedWaits final : transaction::WaitObserver
{
    int begun = 0;
    void BeginWait(transaction::WaitReason) override { ++begun; }
    void EndWait() noexcept override {}
};

} // namespace velmora::testing_support
