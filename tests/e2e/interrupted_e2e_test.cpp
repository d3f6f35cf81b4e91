// Runs cut short, as by a power cut or End Task: Setup is ended at each
// change of a name in its folder in turn, from the first to the last, and
// the next run must leave the folder right.
#include "e2e/driver.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>

namespace {

const char* const TOOL_KEYS[] = {SPELLING_KEY, HYPHENATION_KEY};

// The names changed in a folder, watched from before Setup acts there.
class FolderChanges {
public:
    explicit FolderChanges(const std::string& folder)
    {
        folder_ =
            CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, folder_) << folder;
        overlapped_.hEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
        Watch();
    }
    ~FolderChanges()
    {
        CancelIo(folder_);
        CloseHandle(folder_);
        CloseHandle(overlapped_.hEvent);
    }
    FolderChanges(const FolderChanges&) = delete;
    FolderChanges& operator=(const FolderChanges&) = delete;

    // How many names were added, removed or renamed since the last call,
    // waiting up to waitMs for the first.
    int Take(DWORD waitMs)
    {
        DWORD bytes = 0;
        if (WaitForSingleObject(overlapped_.hEvent, waitMs) != WAIT_OBJECT_0 ||
            !GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE))
            return 0;
        int changes = 0;
        for (DWORD at = 0; at < bytes;) {
            const FILE_NOTIFY_INFORMATION* record = (FILE_NOTIFY_INFORMATION*)(buffer_ + at);
            changes += record->Action != FILE_ACTION_RENAMED_OLD_NAME;
            at = record->NextEntryOffset ? at + record->NextEntryOffset : bytes;
        }
        Watch();
        return changes;
    }

private:
    void Watch()
    {
        ResetEvent(overlapped_.hEvent);
        ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME,
                              NULL, &overlapped_, NULL);
    }

    HANDLE folder_;
    OVERLAPPED overlapped_ = {};
    alignas(DWORD) BYTE buffer_[64 * 1024];
};

class Interrupted : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOfficeRegistry();
        InstallOfficeApplications(true, false, false, false, false);
        folder_ = installed_.Path();
    }
    void TearDown() override { ResetOfficeRegistry(); }

    // What a working installation of an earlier version leaves.
    void InstallEarlierVersion() { PlaceInstallation(folder_, true, true, EarlierBytes); }
    static std::string EarlierBytes(const std::string& name) { return "earlier " + name; }
    std::string File(const std::string& name) const { return installed_.File(name); }
    static std::string Companion(const std::string& path, const char* extension)
    {
        return path.substr(0, path.size() - 3) + extension;
    }

    // Ends Setup at the point-th change of a name in the folder: false when
    // the run ended with fewer, its closing message answered.
    bool CutAt(SetupProcess& setup, FolderChanges& changes, int point, const wchar_t* closing)
    {
        for (int seen = 0; seen < point;) {
            seen += changes.Take(50);
            if (seen >= point || !setup.Running())
                break;
            std::vector<std::wstring> shown = setup.VisibleCaptions();
            if (std::find(shown.begin(), shown.end(), closing) == shown.end())
                continue;
            // Every change comes before the closing message.
            for (int more; (more = changes.Take(200)) > 0;)
                seen += more;
            if (seen < point) {
                Click(setup.WaitFor(closing, IDOK), IDOK);
                EXPECT_EQ(0, setup.WaitForExit());
                return false;
            }
        }
        setup.End();
        return true;
    }

    // Right after a cut: each component is the new version whole, or every
    // earlier file is there whole, under its name or the name of the old
    // file set aside, which the next run puts back.
    void ExpectNothingLost(bool earlier, int point)
    {
        for (int c = 0; c < 4; c += 2) {
            bool fresh =
                ReadFileBytes(File(PAYLOAD_FILES[c])) == PayloadBytes(PAYLOAD_FILES[c]) &&
                ReadFileBytes(File(PAYLOAD_FILES[c + 1])) == PayloadBytes(PAYLOAD_FILES[c + 1]);
            for (int i = c; earlier && !fresh && i < c + 2; i++) {
                std::string old = EarlierBytes(PAYLOAD_FILES[i]);
                EXPECT_TRUE(ReadFileBytes(File(PAYLOAD_FILES[i])) == old ||
                            ReadFileBytes(Companion(File(PAYLOAD_FILES[i]), "VLO")) == old)
                    << PAYLOAD_FILES[i] << " lost at change " << point;
            }
        }
    }

    // The new version whole and registered, and no other file.
    void ExpectInstalled(int point)
    {
        EXPECT_EQ(4, CountFiles(File("*"))) << "after the cut at change " << point;
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(PayloadBytes(PAYLOAD_FILES[i]), ReadFileBytes(File(PAYLOAD_FILES[i])))
                << point;
            std::string key = std::string(TOOL_KEYS[i / 2]) + "\\4122\\Normal";
            EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, key.c_str(), i % 2 ? "Dictionary" : "Engine",
                          File(PAYLOAD_FILES[i]));
        }
    }

    // An installation of both components, cut at the point-th change.
    bool InstallCutAt(int point)
    {
        FolderChanges changes(folder_);
        SetupProcess setup(distribution_);
        AcceptDestination(WalkToDestination(setup, Choices()), folder_);
        bool cut = CutAt(setup, changes, point, L"Setup");
        ExpectNothingLost(earlier_, point);
        return cut;
    }

    void Install()
    {
        SetupProcess setup(distribution_);
        AcceptDestination(WalkToDestination(setup, Choices()), folder_);
        Click(setup.WaitFor(L"Setup", IDOK), IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
    }

    // A removal answered Yes, cut at the point-th change unless point is 0.
    bool Remove(int point)
    {
        FolderChanges changes(folder_);
        SetupProcess setup(distribution_);
        PassWelcomeAndLanguage(setup, false);
        HWND options = setup.WaitFor(L"Installation Options");
        // A cut after the last registration went leaves nothing to remove.
        if (!options || !Enabled(options, IDC_REMOVE)) {
            Click(options, IDCANCEL);
            Click(setup.WaitFor(L"Exit", IDYES), IDYES);
            Click(setup.WaitFor(L"Setup", IDOK), IDOK);
            EXPECT_EQ(0, setup.WaitForExit());
            return false;
        }
        Click(options, IDC_REMOVE);
        for (int question = 0; question < 2; question++)
            Click(setup.WaitFor(L"Remove", IDYES), IDYES);
        if (point > 0)
            return CutAt(setup, changes, point, L"Removed Files");
        Click(setup.WaitFor(L"Removed Files", IDOK), IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
        return false;
    }

    // Runs cut at the first change, the second and so on, each followed by
    // the next run, until one ends by itself; at least fewest points.
    void CutEverywhere(const char* what, bool earlier, int fewest,
                       const std::function<bool(int)>& cutRun,
                       const std::function<void(int)>& nextRun)
    {
        int point = 1;
        for (bool cut = true; cut && !HasFailure(); point++) {
            ResetOfficeRegistry();
            InstallOfficeApplications(true, false, false, false, false);
            if (earlier)
                InstallEarlierVersion();
            earlier_ = earlier;
            cut = cutRun(point);
            nextRun(point);
        }
        std::cout << what << ": cut at " << point - 2 << " points\n";
        EXPECT_GE(point - 2, fewest) << "too few changes seen";
    }

    Distribution distribution_;
    TempFolder installed_;
    std::string folder_;
    bool earlier_ = false;  // an earlier version was installed before the run
};

// A first installation, and a second over a working earlier one, each cut
// at every change in turn; the next installation leaves the new version
// whole.  A first installation cut short has registered nothing, so no
// removal is offered after it.
TEST_F(Interrupted, AnInstallationCutAnywhereIsPutRightByTheNextOne)
{
    for (bool earlier : {false, true}) {
        CutEverywhere(
            earlier ? "over an earlier version" : "first installation", earlier, 9,
            [this](int point) { return InstallCutAt(point); },
            [this](int point) {
                Install();
                ExpectInstalled(point);
                for (const char* name : PAYLOAD_FILES)
                    DeleteFileA(File(name).c_str());
            });
    }
}

// A reinstallation cut at every change, then a removal; and a removal cut
// at every change, then another: no file of Setup's is left in the folder.
TEST_F(Interrupted, ARemovalAfterAnyCutLeavesNoFileOfSetups)
{
    auto removal = [this](int point) {
        Remove(0);
        EXPECT_EQ(0, CountFiles(File("*"))) << "left after the cut at change " << point;
    };
    CutEverywhere(
        "reinstallation", true, 9, [this](int point) { return InstallCutAt(point); }, removal);
    CutEverywhere(
        "removal", true, 4, [this](int point) { return Remove(point); }, removal);
}

}  // namespace
