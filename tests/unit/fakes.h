#pragma once

// Fakes of the desktop ports. Every fake writes what it is asked to do into one shared log, so a
// test can check both what happened and in which order.
#include "regchange/reg_file.h"
#include "regchange/save_command.h"
#include "regchange/settings_store.h"
#include "registry/registry_reader.h"
#include "test_helpers.h"

#include <map>
#include <memory>
#include <vector>

namespace velmora::testing_support
{

using EventLog = std::vector<std::string>;

// The base of every fake: it logs each call (its words joined by spaces) into the shared log and then
// throws the failure planned for the call's operation (the first word of what it logged), if any.
class LoggedFake
{
public:
    explicit LoggedFake(EventLog& log) : m_log(log) {}

    void Fail(const std::string& operation, std::int32_t number) { m_failures[operation] = number; }

protected:
    static std::string Br(std::string_view text) { return "[" + std::string(text) + "]"; }
    static std::string Handle(WindowRef w) { return std::to_string(reinterpret_cast<std::uintptr_t>(w.handle)); }
    template <typename... Words>
    void Record(std::string event, const Words&... words)
    {
        ((event += ' ', event += words), ...);
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
    bool holds = true;
    std::string folder = R"(C:\Tools)";
    std::string shortFolder;                     // what ShortPath gives, whatever it is asked
    std::optional<std::string> shortFolderLater; // what it gives from its second call on

    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override
    {
        Record("message", StyleName(style), Br(title.value_or("(app title)")), prompt);
    }
    std::int32_t ShellOpen(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showMode) override
    {
        return Record("shell", Handle(owner), verb, Br(file), Br(parameters), Br(directory), std::to_string(showMode)),
               shellResult;
    }
    HeldOpen ShellOpenHeld(WindowRef owner, std::string_view shellPath, std::string_view heldPath,
                           std::string_view trustedReader) override
    {
        Record("shell", Handle(owner), "open", Br(shellPath), "[] [] 1 held", Br(heldPath), "for", trustedReader);
        return {shellResult, holds};
    }
    std::string ApplicationFolder() override { return folder; }
    std::string ShortPath(std::string_view path) override
    {
        Record("short", Br(path));
        return std::exchange(shortFolder, shortFolderLater.value_or(shortFolder));
    }
    AppIdentity Identity() override { return Record("identity"), kAppIdentity; }
};

class FakeRegFileOutput : public RegFileOutput, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    // Ω has no place in the fake code page.
    bool CanEncode(std::string_view text) const override { return text.find("\xCE\xA9") == std::string_view::npos; }
    void Reserve(std::span<const std::string> targets, transaction::WaitObserver&) override
    {
        Record("reserve", Br(targets.front()), Br(targets.back()));
    }
    void Release() noexcept override { Record("release"); }
    void Create(std::string_view path, FileEncoding encoding) override
    {
        Record(encoding == FileEncoding::Utf16 ? "create utf16" : "create", path);
    }
    void WriteLine(std::string_view text) override { Record("line", text); }
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
        Record("store", Br(application), Br(section), Br(key), Br(setting));
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
        Record("open", RegistryRootName(root), path);
        const auto found = keys.find(std::string(path));
        return found == keys.end() ? nullptr : std::make_unique<Key>(*this, found->second);
    }

    std::optional<RegistryValue> ReadValue(RegistryRoot root, std::string_view path, std::string_view name) override
    {
        Record("read", RegistryRootName(root), Br(path), Br(name));
        const auto key = keys.find(std::string(path));
        return key == keys.end() || !key->second.contains(std::string(name))
                   ? std::nullopt
                   : std::optional(key->second.at(std::string(name)));
    }

private:
    struct Key : RegistryKey
    {
        Key(FakeRegistry& owner, const std::map<std::string, RegistryValue>& values) : registry(owner), stored(values)
        {
        }
        RegistryRead QueryValue(std::string_view name, std::size_t) override
        {
            registry.Record("query", name);
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
        {Field::Value, R"(C:\Pictures\cat.bmp)"}};

    std::string FieldText(Field field) override { return fields.at(field); }
    void SetStatusText(std::string_view text) override { Record("status" + std::string(text)); }
    WindowRef Owner() override { return {reinterpret_cast<void*>(std::uintptr_t{0x1234})}; }
};

} // namespace velmora::testing_support
