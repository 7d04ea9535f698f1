// The save's transaction over a disk in memory: every scenario crashed, and failed with every kind of
// failure, at every one of its operations; after each, what is on the disk must still be whole.
#include "transaction/journal.h"
#include "transaction/staged_files.h"
#include "memory_disk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>

using namespace velmora;
using namespace velmora::transaction;
using namespace velmora::testing_support;
using testing::AnyOf;

namespace
{

const std::string kFolder = MemoryDisk::kFolder;
const std::string kUndo = kFolder + R"(\Velmora-undo.reg)";
const std::string kReg = kFolder + R"(\Velmora.reg)";
const std::vector<std::string> kTargets = {kUndo, kReg};

// The two files of a save, as kTargets: save n's, or what a disk holds (none: no such file).
using Pair = std::array<std::optional<std::string>, 2>;

// Save 0 is what was there before the first.
Pair SaveBytes(int n)
{
    return {"undo " + std::to_string(n) + std::string(static_cast<std::size_t>(n), '+'),
            "reg " + std::to_string(n) + std::string(static_cast<std::size_t>(n) * 3, '-')};
}

// A disk's files once save n is on it and nothing else.
decltype(MemoryDisk::files) SaveFiles(int n)
{
    return {{kUndo, *SaveBytes(n)[0]}, {kReg, *SaveBytes(n)[1]}};
}

Pair PairOn(const MemoryDisk& disk)
{
    const auto on = [&](const std::string& path) {
        return disk.files.contains(path) ? std::optional(disk.files.at(path)) : std::nullopt;
    };
    return {on(kUndo), on(kReg)};
}

// Whether some file on the disk holds each of the pair's bytes (absent bytes need none).
bool Kept(const MemoryDisk& disk, const Pair& pair)
{
    return std::ranges::all_of(pair, [&](const auto& bytes) {
        return !bytes || std::ranges::any_of(disk.files, [&](const auto& file) { return file.second == *bytes; });
    });
}

struct Outcome
{
    bool crashed = false, restoreFailed = false;
    std::optional<std::int32_t> failure;
    int operations = 0, waits = 0;
    std::string lostCopy; // where a failed restore says the old bytes are
};

// One save as the Save command makes it: the turn, then each file in two writes, then the commit.
// `afterTurn` runs once the turn has cleared up what earlier runs left.
Outcome Save(
    MemoryDisk& disk, RunId run, const Pair& bytes, Fault fault = {}, const std::function<void()>& afterTurn = [] {})
{
    MemoryPort port(disk, run, fault);
    FreeTurn turn;
    CountedWaits waits;
    Outcome outcome;
    try
    {
        Turn held(turn, port, waits, kTargets);
        afterTurn();
        StagedFiles files(port, waits);
        for (std::size_t i = 0; i < kTargets.size(); ++i)
        {
            files.Open(kTargets[i]);
            files.Write(bytes[i]->substr(0, 3));
            files.Write(bytes[i]->substr(3));
            files.Finish();
        }
        files.Commit();
    }
    catch (const RuntimeFailure& failure)
    {
        const auto* lost = dynamic_cast<const RestoreFailed*>(&failure);
        outcome = {false, lost != nullptr, failure.Number(), 0, 0, lost ? lost->copy : ""};
    }
    return {port.crashed, outcome.restoreFailed, outcome.failure, port.operations, waits.begun, outcome.lostCopy};
}

constexpr RunId kEarlier{7, 100};
constexpr RunId kUnderTest{7, 200}; // the same process id as the earlier run, after a restart
constexpr RunId kNext{9, 300};

// The earlier run's commit of save 1, crashed `early` operations before the one at which it has replaced
// the first target but not the second.
void CutCommit(MemoryDisk& disk, int early = 0)
{
    for (int at = 0;; ++at)
    {
        MemoryDisk probe{SaveFiles(0), {}};
        Save(probe, kEarlier, SaveBytes(1), {Fault::Crash, at});
        if (PairOn(probe) == Pair{SaveBytes(1)[0], SaveBytes(0)[1]})
            return (void)Save(disk, kEarlier, SaveBytes(1), {Fault::Crash, at - early});
    }
}

// A scenario brings a disk that holds save 0 to where the save under test starts, which then holds
// save `holds` (-1: none).
struct Scenario
{
    const char* name;
    int holds;
    std::function<void(MemoryDisk&)> arrange;
};

const std::vector<Scenario> kScenarios = {
    {"FirstSave", -1, [](MemoryDisk& disk) { disk.files.clear(); }},
    {"LaterSave", 0, [](MemoryDisk&) {}},
    // Also a crash during the recovery of that cut commit, since the save under test recovers it.
    {"AfterACommitCutBetweenItsMoves", 0, [](MemoryDisk& disk) { CutCommit(disk); }},
    {"AfterAFirstSaveCutBetweenItsMoves", -1,
     [](MemoryDisk& disk) {
         disk.files.clear();
         CutCommit(disk, 2);
         disk.files.erase(kReg); // the first save had no old files: it cut before the second target's copy
     }},
    // A commit cut between its moves by a run that seemed to live on (its process could not be
    // asked) while a later run saved: once it has ended, its journal must not undo that save.
    {"AfterACutCommitOvertakenByALaterSave", 2,
     [](MemoryDisk& disk) {
         disk.running.push_back(kEarlier);
         CutCommit(disk);
         EXPECT_FALSE(Save(disk, kNext, SaveBytes(2)).failure);
         disk.running.clear();
     }},
    // A finished commit whose journal could not be deleted; the run lives on while a later run saves,
    // then ends: its journal must not undo that save.
    {"AfterAJournalOvertakenByALaterSave", 2,
     [](MemoryDisk& disk) {
         disk.running.push_back(kEarlier);
         Outcome first;
         for (int at = 0; PairOn(disk) != SaveBytes(1) || disk.files.size() == 2; ++at)
         {
             disk.files = SaveFiles(0);
             first = Save(disk, kEarlier, SaveBytes(1), {Fault::ForGood, at, FileFault::Denied});
         }
         EXPECT_FALSE(first.failure) << "the finished commit is reported as a failure";
         EXPECT_FALSE(Save(disk, kNext, SaveBytes(2)).failure);
         disk.running.clear();
     }},
};

TEST(Transaction, EveryCrashAndFailureAtEveryStepLeavesTheDiskWholeAndTheNextSaveCleansUp)
{
    // A crash is of no kind; a failure is of every kind.
    std::vector<std::pair<Fault::Mode, FileFault>> faults = {{Fault::Crash, FileFault::None}};
    for (const Fault::Mode mode : {Fault::Once, Fault::Twice, Fault::ForGood})
        for (const FileFault kind : {FileFault::Held, FileFault::Exists, FileFault::NotFound, FileFault::Denied,
                                     FileFault::DiskFull, FileFault::Other})
            faults.emplace_back(mode, kind);
    int explored = 0;
    for (const Scenario& scenario : kScenarios)
    {
        MemoryDisk clean{SaveFiles(0), {}};
        scenario.arrange(clean);
        const Pair old = scenario.holds < 0 ? Pair{} : SaveBytes(scenario.holds);
        const Pair mine = SaveBytes(scenario.holds + 10);
        // Without a fault, the save clears up what the scenario left: its own files are all that stay.
        MemoryDisk faultless = clean;
        const int operations = Save(faultless, kUnderTest, mine).operations;
        EXPECT_EQ(faultless.files, SaveFiles(scenario.holds + 10)) << scenario.name;
        // A save leaves the disk with its own pair, the last whole one, or (failing early) what it found.
        const testing::Matcher<Pair> whole = AnyOf(mine, old, PairOn(clean)), finished = mine, any = testing::_;
        for (int at = 0; at < operations; ++at)
        {
            for (const auto& [mode, kind] : faults)
            {
                ++explored;
                SCOPED_TRACE(testing::Message()
                             << scenario.name << " op " << at << " mode " << mode << " kind " << int(kind));
                MemoryDisk disk = clean;
                disk.running.push_back(kUnderTest); // it lives on after a failure, and saves again
                // Once the turn is taken, what earlier runs left is cleared up: the pair is the last whole one.
                const Outcome outcome = Save(disk, kUnderTest, mine, {mode, at, kind},
                                             [&] { EXPECT_EQ(PairOn(disk), old) << "the turn left a mixed pair"; });
                if (outcome.crashed)
                    std::erase(disk.running, kUnderTest);
                const Pair left = PairOn(disk);
                // A file that refuses is not waited for, as one that a program holds is.
                EXPECT_TRUE(kind == FileFault::Held || outcome.waits == 0) << "waited for what waiting cannot end";
                // A finished save holds its pair; a failed one changes nothing, unless a restore failed.
                EXPECT_THAT(left, outcome.crashed || outcome.restoreFailed ? any : outcome.failure ? whole : finished);
                EXPECT_TRUE(left == mine || Kept(disk, old)) << "an old file is lost while the pair is not the new one";
                // A failure is reported as the operation failed (every name taken aside); a copy named as
                // holding old bytes is there.
                EXPECT_TRUE(outcome.crashed || !outcome.failure || kind == FileFault::Exists || *outcome.failure == 70)
                    << "reported as " << *outcome.failure;
                EXPECT_TRUE(outcome.lostCopy.empty() || disk.files.contains(outcome.lostCopy)) << outcome.lostCopy;

                // The next save, by the same run unless it crashed: once it has its turn, the pair is
                // whole again; after its save, it is all that is left.
                std::optional<Pair> recovered;
                const Outcome next = Save(disk, outcome.crashed ? kNext : kUnderTest, SaveBytes(99), {},
                                          [&] { recovered = PairOn(disk); });
                ASSERT_FALSE(next.failure) << "the next save failed with " << *next.failure;
                EXPECT_THAT(recovered, testing::Optional(whole)) << "the pair the next save found is mixed";
                EXPECT_EQ(disk.files, SaveFiles(99));
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
    using testing::FieldsAre;
    using testing::Optional;
    const auto none = testing::Eq(std::nullopt);
    const std::vector<std::pair<const char*, testing::Matcher<std::optional<Leftover>>>> rows = {
        {"velmora.REG.32-133-1.tmp", Optional(FieldsAre(1u, RunId{32, 133}, LeftoverKind::Staged))},
        {"Velmora-undo.reg.4294967295-18446744073709551615-100.old",
         Optional(FieldsAre(0u, RunId{4294967295u, 18446744073709551615u}, LeftoverKind::Copy))},
        {"Velmora.reg.1-2-3.commit", Optional(FieldsAre(1u, RunId{1, 2}, LeftoverKind::Journal))},
        {"Velmora.reg.32-1.tmp", none}, // no start time: not one of ours
        {"Velmora.reg.4294967296-1-1.tmp", none},
        {"Velmora.reg.32-133-1.txt", none},
        {"Velmora.reg.32-133-x.tmp", none},
        {"Velmora.reg32-133-1.tmp", none},
        {"Other.reg.32-133-1.tmp", none},
    };
    for (const auto& [file, expected] : rows)
        EXPECT_THAT(ParseLeftover(file, names), expected) << file;
}

} // namespace
