#pragma once

// A disk in memory behind the transaction's file port, which a test can crash or fail at any one of
// its operations, as SQLite's tests do with their file system layer.
#include "transaction/file_port.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velmora::testing_support
{

using transaction::FileFault;
using transaction::FileResult;
using transaction::RunId;

struct CaseBlindLess
{
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::ranges::lexicographical_compare(a, b,
                                                    [](char x, char y) { return std::tolower(x) < std::tolower(y); });
    }
};

// What the port's runs share: the files (by full path), the files another program holds, and the
// runs that still live.
struct MemoryDisk
{
    static constexpr const char* kFolder = R"(C:\Tools)";
    std::map<std::string, std::string, CaseBlindLess> files;
    std::set<std::string, CaseBlindLess> held;
    std::vector<RunId> running;
};

// What happens at the port's operation number `at` (counted from 0): nothing, a crash (that
// operation and every later one do nothing, and a write is torn in half), or a failure of one kind:
// once, at it and the next one (so that what mends the first failure fails too), or from then on.
struct Fault
{
    enum Mode
    {
        None,
        Crash,
        Once,
        Twice,
        ForGood,
    } mode = None;
    int at = -1;
    FileFault kind = FileFault::None;
};

class MemoryPort final : public transaction::FilePort
{
public:
    MemoryPort(MemoryDisk& disk, RunId run, Fault fault = {}) : m_disk(disk), m_run(run), m_fault(fault) {}

    int operations = 0;
    bool crashed = false;

    FileResult CreateNew(const std::string& path, transaction::FileToken& file) override
    {
        if (FileResult refused = Start(); !refused.Ok())
            return refused;
        if (m_disk.files.contains(path))
            return {FileFault::Exists, 58, {}};
        if (!path.starts_with(std::string(MemoryDisk::kFolder) + "\\"))
            return {FileFault::NotFound, 76, {}};
        m_disk.files[path];
        file = ++m_lastToken;
        m_open[file] = path;
        return {};
    }
    FileResult Write(transaction::FileToken file, std::string_view bytes) override
    {
        const int number = operations;
        FileResult refused = Start();
        if (crashed && number == m_fault.at)
            m_disk.files[m_open[file]] += bytes.substr(0, bytes.size() / 2); // torn
        if (!refused.Ok())
            return refused;
        m_disk.files[m_open[file]] += bytes;
        return {};
    }
    FileResult FlushAndClose(transaction::FileToken file) override
    {
        m_open.erase(file);
        return Start();
    }
    void Abandon(transaction::FileToken file) noexcept override { m_open.erase(file); }
    FileResult Copy(const std::string& from, const std::string& to) override
    {
        const int number = operations;
        FileResult refused = Start();
        // A full disk cuts a copy short, and leaves what it copied.
        if (refused.fault == FileFault::DiskFull && number == m_fault.at && m_disk.files.contains(from))
            m_disk.files[to] = m_disk.files[from].substr(0, 1);
        if (!refused.Ok())
            return refused;
        if (!m_disk.files.contains(from))
            return {FileFault::NotFound, 53, {}};
        if (m_disk.files.contains(to))
            return {FileFault::Exists, 58, {}};
        if (m_disk.held.contains(from))
            return {FileFault::Held, 70, {}};
        m_disk.files[to] = m_disk.files[from];
        return {};
    }
    FileResult Replace(const std::string& from, const std::string& to) override
    {
        if (FileResult refused = Start(); !refused.Ok())
            return refused;
        if (!m_disk.files.contains(from))
            return {FileFault::NotFound, 53, {}};
        if (m_disk.held.contains(to))
            return {FileFault::Held, 70, {}};
        m_disk.files[to] = m_disk.files[from];
        m_disk.files.erase(from);
        return {};
    }
    FileResult Delete(const std::string& path) override
    {
        if (FileResult refused = Start(); !refused.Ok())
            return refused;
        if (m_disk.held.contains(path))
            return {FileFault::Held, 70, {}};
        return m_disk.files.erase(path) ? FileResult{} : FileResult{FileFault::NotFound, 53, {}};
    }
    FileResult Read(const std::string& path, std::string& bytes) override
    {
        if (FileResult refused = Start(); !refused.Ok())
            return refused;
        if (!m_disk.files.contains(path))
            return {FileFault::NotFound, 53, {}};
        bytes = m_disk.files[path];
        return {};
    }
    FileResult List(const std::string& folder, std::vector<std::string>& names) override
    {
        if (FileResult refused = Start(); !refused.Ok())
            return refused;
        for (const auto& [path, bytes] : m_disk.files)
        {
            if (path.starts_with(folder + "\\"))
                names.push_back(path.substr(folder.size() + 1));
        }
        return {};
    }
    bool IsReadOnly(const std::string&) override { return false; }
    FileResult ProbeHeld(const std::string& path) override
    {
        if (FileResult refused = Start(); !refused.Ok())
            return refused;
        return m_disk.held.contains(path) ? FileResult{FileFault::Held, 70, {}} : FileResult{};
    }
    RunId ThisRun() override { return m_run; }
    bool IsRunning(const RunId& run) override { return std::ranges::count(m_disk.running, run) > 0; }
    std::uint64_t NowMs() override { return m_now; }
    void Pause(std::uint32_t ms) override { m_now += ms; }

private:
    // Counts the operation; what it comes to when the fault strikes it.
    FileResult Start()
    {
        const int number = operations++;
        crashed = crashed || (m_fault.mode == Fault::Crash && number == m_fault.at);
        const bool fails = (m_fault.mode == Fault::Once && number == m_fault.at) ||
                           (m_fault.mode == Fault::Twice && (number == m_fault.at || number == m_fault.at + 1)) ||
                           (m_fault.mode == Fault::ForGood && number >= m_fault.at);
        if (crashed)
            return {FileFault::Other, 51, "crashed"};
        return fails ? FileResult{m_fault.kind, 70, "injected"} : FileResult{};
    }

    MemoryDisk& m_disk;
    RunId m_run;
    Fault m_fault;
    std::map<transaction::FileToken, std::string> m_open;
    transaction::FileToken m_lastToken = 0;
    std::uint64_t m_now = 0;
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
