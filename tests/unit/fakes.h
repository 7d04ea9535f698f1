#pragma once

// Fakes of the desktop ports. Every fake writes what it is asked to do into one shared log, so a
// test can check both what happened and in which order.
#include "regchange/reg_file.h"
#include "regchange/save_command.h"
#include "regchange/settings_store.h"
#include "shell/desktop.h"
#include "registry/registry_reader.h"
#include "common/runtime_failure.h"
#include "test_helpers.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora::testing_support
{

using EventLog = std::vector<std::string>;

// The base of every fake: it logs each call into the shared log and then throws the failure planned
// for the call's operation (the first word of what it logged), if any.
class LoggedFake
{
public:
    explicit LoggedFake(EventLog& log) : m_log(log) {}

    void Fail(const std::string& operation, std::int32_t number) { m_failures[operation] = number; }

protected:
    void Record(const std::string& event)
    {
        m_log.push_back(event);
        ThrowIfPlanned(event.substr(0, event.find(' ')));
    }
    void ThrowIfPlanned(const std::string& operation) const
    {
        if (const auto it = m_failures.find(operation); it != m_failures.end())
            throw RuntimeFailure(it->second);
    }

private:
    EventLog& m_log;
    std::map<std::string, std::int32_t> m_failures;
};

class FakeDesktop : public Desktop, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    std::int32_t shellResult = 42;
    std::string folder = R"(C:\Tools)";
    std::string shortFolder;                     // what ShortPath gives, whatever it is asked
    std::optional<std::string> shortFolderLater; // what it gives from its second call on

    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override
    {
        Record("message " + StyleName(style) + " [" + std::string(title.value_or("(app title)")) + "] " +
               std::string(prompt));
    }
    std::int32_t ShellOpen(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showMode) override
    {
        return Shell(owner, std::string(verb) + " [" + std::string(file) + "] [" + std::string(parameters) + "] [" +
                                std::string(directory) + "] " + std::to_string(showMode));
    }
    bool holds = true;
    HeldOpen ShellOpenHeld(WindowRef owner, std::string_view shellPath, std::string_view heldPath,
                           std::string_view trustedReader) override
    {
        return {Shell(owner, "open [" + std::string(shellPath) + "] [] [] 1 held [" + std::string(heldPath) + "] for " +
                                 std::string(trustedReader)),
                holds};
    }
    std::string ApplicationFolder() override { return folder; }
    std::string ShortPath(std::string_view path) override
    {
        Record("short [" + std::string(path) + "]");
        return std::exchange(shortFolder, shortFolderLater.value_or(shortFolder));
    }
    AppIdentity Identity() override
    {
        ThrowIfPlanned("identity");
        return kAppIdentity;
    }

private:
    std::int32_t Shell(WindowRef owner, const std::string& request)
    {
        Record("shell " + std::to_string(reinterpret_cast<std::uintptr_t>(owner.handle)) + " " + request);
        return shellResult;
    }
};

class FakeRegFileOutput : public RegFileOutput, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    // Ω has no place in the fake code page.
    bool CanEncode(std::string_view text) const override { return text.find("\xCE\xA9") == std::string_view::npos; }
    void Reserve(std::span<const std::string> targets, transaction::WaitObserver&) override
    {
        Record("reserve [" + targets.front() + "] [" + targets.back() + "]");
    }
    void Release() noexcept override { Record("release"); }
    void Create(std::string_view path, FileEncoding encoding) override
    {
        Record(std::string(encoding == FileEncoding::Utf16 ? "create utf16 " : "create ") + std::string(path));
    }
    void WriteLine(std::string_view text) override { Record("line " + std::string(text)); }
    void Close() override { Record("close"); }
    void Commit() override { Record("commit"); }
};

// Refuses what the real store refuses, with 5.
class FakeSettingsStore : public SettingsStore, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view setting) override
    {
        Record("store [" + std::string(application) + "] [" + std::string(section) + "] [" + std::string(key) + "] [" +
               std::string(setting) + "]");
        if (!IsUsableSettingsName(application) || !IsUsableSettingsName(section))
            throw RuntimeFailure(kErrInvalidArgument);
    }
};

// Keys by path (whatever the root), each with its values as the registry stores them.
class FakeRegistry : public RegistryReader, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    std::map<std::string, std::map<std::string, RegistryValue>> keys;

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view path) override
    {
        Record("open " + std::string(RegistryRootName(root)) + " " + std::string(path));
        const auto found = keys.find(std::string(path));
        return found == keys.end() ? nullptr : std::make_unique<Key>(*this, found->second);
    }

    std::optional<RegistryValue> ReadValue(RegistryRoot root, std::string_view path, std::string_view name) override
    {
        Record("read " + std::string(RegistryRootName(root)) + " [" + std::string(path) + "] [" + std::string(name) +
               "]");
        const auto key = keys.find(std::string(path));
        if (key == keys.end() || !key->second.contains(std::string(name)))
            return std::nullopt;
        return key->second.at(std::string(name));
    }

private:
    struct Key : RegistryKey
    {
        Key(FakeRegistry& owner, const std::map<std::string, RegistryValue>& values) : registry(owner), stored(values)
        {
        }
        RegistryRead QueryValue(std::string_view name, std::size_t) override
        {
            registry.Record("query " + std::string(name));
            const auto found = stored.find(std::string(name));
            return found == stored.end() ? RegistryRead{2, 0, {}}
                                         : RegistryRead{0, found->second.type, found->second.bytes};
        }
        FakeRegistry& registry;
        const std::map<std::string, RegistryValue>& stored;
    };
};

class FakeSaveView : public SaveView, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    std::map<Field, std::string> fields = {
        {Field::Location, R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)"},
        {Field::Application, "Paint"},
        {Field::Section, "Recent File List"},
        {Field::Key, "File1"},
        {Field::Value, R"(C:\Pictures\cat.bmp)"},
    };

    std::string FieldText(Field field) override { return fields.at(field); }
    void SetStatusText(std::string_view text) override { Record("status" + std::string(text)); }
    WindowRef Owner() override { return {reinterpret_cast<void*>(std::uintptr_t{0x1234})}; }
};

} // namespace velmora::testing_support
