// The save's transaction over a disk in memory: every scenario crashed, and failed with every kind of
// failure, at every one of its operations; after each, what is on the disk must still be whole.
#include "transaction/journal.h"
#include "transaction/staged_files.h"
#include "memory_disk.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>

using namespace velmora;
using namespace velmora::transaction;
using namespace velmora::testing_support;

namespace
{

const std::string kFolder = MemoryDisk::kFolder;
const std::string kUndo = kFolder + R"(\Velmora-undo.reg)";
const std::string kReg = kFolder + R"(\Velmora.reg)";
const std::vector<std::string> kTargets = {kUndo, kReg};

// The two files of the n-th save: save 0 is what was there before the first.
struct Pair
{
    std::optional<std::string> undo;
    std::optional<std::string> reg;
    bool operator==(const Pair&) const = default;
};

void PrintTo(const Pair& pair, std::ostream* out)
{
    *out << "{" << pair.undo.value_or("(none)") << " | " << pair.reg.value_or("(none)") << "}";
}

Pair SaveBytes(int n)
{
    return {"undo " + std::to_string(n) + std::string(static_cast<std::size_t>(n), '+'),
            "reg " + std::to_string(n) + std::string(static_cast<std::size_t>(n) * 3, '-')};
}

std::optional<std::string> FileOn(const MemoryDisk& disk, const std::string& path)
{
    const auto found = disk.files.find(path);
    return found == disk.files.end() ? std::nullopt : std::optional(found->second);
}

Pair PairOn(const MemoryDisk& disk)
{
    return {FileOn(disk, kUndo), FileOn(disk, kReg)};
}

// Whether some file on the disk holds the bytes (absent bytes need none).
bool Kept(const MemoryDisk& disk, const std::optional<std::string>& bytes)
{
    return !bytes || std::ranges::any_of(disk.files, [&](const auto& file) { return file.second == *bytes; });
}

std::string FilesOf(const MemoryDisk& disk)
{
    std::string names;
    for (const auto& [path, bytes] : disk.files)
        names += path + " ";
    return names;
}

struct Outcome
{
    bool crashed = false;
    bool restoreFailed = false;
    std::optional<std::int32_t> failure;
    int operations = 0;
    int waits = 0;
};

// One save as the Save command makes it: the turn, then each file in two writes, then the commit.
// `afterTurn` runs once the turn has cleared up what earlier runs left.
Outcome Save(MemoryDisk& disk, RunId run, const Pair& bytes, Fault fault = {},
             const std::function<void()>& afterTurn = {})
{
    MemoryPort port(disk, run, fault);
    FreeTurn turn;
    CountedWaits waits;
    Outcome outcome;
    try
    {
        Turn held(turn, port, waits, kTargets);
        if (afterTurn)
            afterTurn();
        StagedFiles files(port, waits);
        for (const auto& [target, content] : {std::pair(kUndo, *bytes.undo), std::pair(kReg, *bytes.reg)})
        {
            files.Open(target);
            files.Write(content.substr(0, 3));
            files.Write(content.substr(3));
            files.Finish();
        }
        files.Commit();
    }
    catch (const RestoreFailed& failure)
    {
        outcome.restoreFailed = true;
        outcome.failure = failure.Number();
    }
    catch (const RuntimeFailure& failure)
    {
        outcome.failure = failure.Number();
    }
    outcome.crashed = port.crashed;
    outcome.operations = port.operations;
    outcome.waits = waits.begun;
    return outcome;
}

// A scenario brings the disk to where the save under test starts, and says which save that one is.
struct Scenario
{
    const char* name;
    std::function<int(MemoryDisk&)> arrange; // returns the number of the save that the disk holds
};

constexpr RunId kEarlier{7, 100};
constexpr RunId kUnderTest{7, 200}; // the same process id as the earlier run, after a restart
constexpr RunId kNext{9, 300};

// The operation at which the earlier run's commit has replaced the first target but not the second.
int CutBetweenTheMoves(const Pair& bytes)
{
    for (int at = 0;; ++at)
    {
        MemoryDisk probe;
        probe.files = {{kUndo, *SaveBytes(0).undo}, {kReg, *SaveBytes(0).reg}};
        Save(probe, kEarlier, bytes, {Fault::Crash, at});
        if (PairOn(probe) == Pair{bytes.undo, SaveBytes(0).reg})
            return at;
    }
}

void PutSave(MemoryDisk& disk, int n)
{
    disk.files[kUndo] = *SaveBytes(n).undo;
    disk.files[kReg] = *SaveBytes(n).reg;
}

const std::vector<Scenario> kScenarios = {
    {"FirstSave", [](MemoryDisk&) { return -1; }},
    {"LaterSave",
     [](MemoryDisk& disk) {
         PutSave(disk, 0);
         return 0;
     }},
    // Also a crash during the recovery of that cut commit, since the save under test recovers it.
    {"AfterACommitCutBetweenItsMoves",
     [](MemoryDisk& disk) {
         PutSave(disk, 0);
         Save(disk, kEarlier, SaveBytes(1), {Fault::Crash, CutBetweenTheMoves(SaveBytes(1))});
         return 0;
     }},
    {"AfterAFirstSaveCutBetweenItsMoves",
     [](MemoryDisk& disk) {
         Save(disk, kEarlier, SaveBytes(1), {Fault::Crash, CutBetweenTheMoves(SaveBytes(1)) - 2});
         disk.files.erase(kReg); // the first save had no old files: it cut before the second target's copy
         return -1;
     }},
    // A commit cut between its moves by a run that seemed to live on (its process could not be
    // asked) while a later run saved: once it has ended, its journal must not undo that save.
    {"AfterACutCommitOvertakenByALaterSave",
     [](MemoryDisk& disk) {
         PutSave(disk, 0);
         disk.running.push_back(kEarlier);
         Save(disk, kEarlier, SaveBytes(1), {Fault::Crash, CutBetweenTheMoves(SaveBytes(1))});
         EXPECT_FALSE(Save(disk, kNext, SaveBytes(2)).failure);
         disk.running.clear();
         return 2;
     }},
    // A finished commit whose journal could not be deleted; the run lives on while a later run saves,
    // then ends: its journal must not undo that save.
    {"AfterAJournalOvertakenByALaterSave",
     [](MemoryDisk& disk) {
         PutSave(disk, 0);
         disk.running.push_back(kEarlier);
         Outcome first;
         for (int at = 0; PairOn(disk) != SaveBytes(1) || disk.files.size() == 2; ++at)
         {
             disk.files = {{kUndo, *SaveBytes(0).undo}, {kReg, *SaveBytes(0).reg}};
             first = Save(disk, kEarlier, SaveBytes(1), {Fault::ForGood, at, FileFault::Denied});
         }
         EXPECT_FALSE(first.failure) << "the finished commit is reported as a failure";
         EXPECT_FALSE(Save(disk, kNext, SaveBytes(2)).failure);
         disk.running.clear();
         return 2;
     }},
};

TEST(Transaction, EveryCrashAndFailureAtEveryStepLeavesTheDiskWholeAndTheNextSaveCleansUp)
{
    const std::vector<Fault::Mode> modes = {Fault::Crash, Fault::Once, Fault::Twice, Fault::ForGood};
    const std::vector<FileFault> kinds = {FileFault::Held,   FileFault::Exists,   FileFault::NotFound,
                                          FileFault::Denied, FileFault::DiskFull, FileFault::Other};
    int explored = 0;
    for (const Scenario& scenario : kScenarios)
    {
        MemoryDisk clean;
        const int before = scenario.arrange(clean);
        const Pair old = before < 0 ? Pair{} : SaveBytes(before);
        const Pair mine = SaveBytes(before + 10);
        // Without a fault, the save clears up what the scenario left: its own files are all that stay.
        const int operations = [&] {
            MemoryDisk disk = clean;
            const Outcome outcome = Save(disk, kUnderTest, mine);
            EXPECT_EQ(disk.files.size(), 2u) << scenario.name << ": leftovers " << FilesOf(disk);
            EXPECT_EQ(PairOn(disk), mine) << scenario.name;
            return outcome.operations;
        }();
        for (int at = 0; at < operations; ++at)
        {
            for (const Fault::Mode mode : modes)
            {
                for (const FileFault kind : kinds)
                {
                    if (mode == Fault::Crash && kind != kinds.front())
                        continue;
                    ++explored;
                    MemoryDisk disk = clean;
                    // Once the turn is taken, what earlier runs left is cleared up: the pair is the last whole one.
                    const Outcome outcome = Save(disk, kUnderTest, mine, {mode, at, kind}, [&] {
                        EXPECT_EQ(PairOn(disk), old) << scenario.name << " op " << at << " mode " << mode << " kind "
                                                     << int(kind) << ": the turn left a mixed pair " << FilesOf(disk);
                    });
                    const std::string where = std::string(scenario.name) + " op " + std::to_string(at) + " mode " +
                                              std::to_string(mode) + " kind " + std::to_string(int(kind));
                    const Pair left = PairOn(disk);
                    // A file that refuses is not waited for, as one that a program holds is.
                    if (mode == Fault::Crash || kind != FileFault::Held)
                    {
                        EXPECT_EQ(outcome.waits, 0) << where << ": waited for a failure that waiting cannot end";
                    }
                    if (!outcome.failure && !outcome.crashed)
                    {
                        EXPECT_EQ(left, mine) << where;
                    }
                    else if (!outcome.crashed && !outcome.restoreFailed && left != mine)
                    {
                        EXPECT_TRUE(left == old || left == PairOn(clean))
                            << where << ": a failed save changed the pair";
                    }
                    EXPECT_TRUE((Kept(disk, old.undo) && Kept(disk, old.reg)) || left == mine)
                        << where << ": an old file is lost while the pair is not the new one; " << FilesOf(disk);

                    // The next save, by the same run unless it crashed: once it has its turn, the pair is
                    // whole again; after its save, it is all that is left.
                    std::optional<Pair> recovered;
                    const Outcome next = Save(disk, outcome.crashed ? kNext : kUnderTest, SaveBytes(99), {},
                                              [&] { recovered = PairOn(disk); });
                    ASSERT_FALSE(next.failure) << where << ": the next save failed with " << *next.failure;
                    ASSERT_TRUE(recovered) << where;
                    EXPECT_TRUE(*recovered == mine || *recovered == old || *recovered == PairOn(clean))
                        << where << ": the pair the next save found is mixed";
                    EXPECT_EQ(disk.files.size(), 2u) << where << ": leftovers " << FilesOf(disk);
                    EXPECT_EQ(PairOn(disk), SaveBytes(99)) << where;
                }
            }
        }
    }
    std::printf("[ explored ] %d crash and failure states of the save's transaction\n", explored);
    EXPECT_GT(explored, 500);
}

TEST(Transaction, AJournalCutShortOrNotOneIsNoJournal)
{
    const std::vector<JournalEntry> entries = {{"Velmora-undo.reg", "u.tmp", "", 3, 0xabc, 0, 0},
                                               {"Velmora.reg", "r.tmp", "r.old", 12, 0xffffffffffffffff, 4, 1}};
    const std::string text = JournalText(entries);
    EXPECT_EQ(ParseJournal(text), entries);
    for (std::size_t length = 0; length + 1 < text.size(); ++length)
        EXPECT_EQ(ParseJournal(text.substr(0, length)), std::nullopt) << "cut at " << length;
    EXPECT_EQ(ParseJournal(text + "more\n"), std::nullopt);
}

TEST(Transaction, LeftoversAreKnownByTheirTargetRunAndKindOnly)
{
    const std::vector<std::string> names = {"Velmora-undo.reg", "Velmora.reg"};
    struct Row
    {
        const char* file;
        std::optional<std::size_t> target;
        RunId run = {};
        LeftoverKind kind = LeftoverKind::Staged;
    };
    for (const Row& row : std::vector<Row>{
             {"velmora.REG.32-133-1.tmp", 1, {32, 133}, LeftoverKind::Staged},
             {"Velmora-undo.reg.4294967295-18446744073709551615-100.old",
              0,
              {4294967295u, 18446744073709551615u},
              LeftoverKind::Copy},
             {"Velmora.reg.1-2-3.commit", 1, {1, 2}, LeftoverKind::Journal},
             {"Velmora.reg.32-1.tmp", std::nullopt}, // no start time: not one of ours
             {"Velmora.reg.4294967296-1-1.tmp", std::nullopt},
             {"Velmora.reg.32-133-1.txt", std::nullopt},
             {"Velmora.reg.32-133-x.tmp", std::nullopt},
             {"Velmora.reg32-133-1.tmp", std::nullopt},
             {"Other.reg.32-133-1.tmp", std::nullopt},
         })
    {
        const std::optional<Leftover> leftover = ParseLeftover(row.file, names);
        ASSERT_EQ(leftover.has_value(), row.target.has_value()) << row.file;
        if (leftover)
        {
            EXPECT_EQ(std::tuple(leftover->target, leftover->run, leftover->kind),
                      std::tuple(*row.target, row.run, row.kind))
                << row.file;
        }
    }
}

} // namespace
