// The Options link: the dialog the effect shows over the host, what each button does to
// the user's stored defaults, and where the dialog appears.
#include "DialogWatcher.h"
#include "resources/ResourceIds.h"
#include "tests/support/EffectHostFixture.h"
#include "tests/support/UserDefaultsFolder.h"

#include <algorithm>
#include <string>

namespace {

using dialogtest::controlEnabled;
using dialogtest::controlText;
using dialogtest::controlVisible;

// What the watcher saw while the dialog was open.
struct DialogView {
    std::wstring title;
    std::wstring group;
    std::wstring storeButton;
    std::wstring restoreButton;
    std::wstring link;
    bool storeEnabled = false;
    bool restoreEnabled = false;
    bool linkVisible = false;
    bool mainWindowEnabled = true;
    RECT rect{};
};

DialogView look(HWND dialog, HWND mainWindow) {
    DialogView view;
    view.title = dialogtest::windowText(dialog);
    view.group = controlText(dialog, VELUMIXER_IDC_SETTINGS_GROUP);
    view.storeButton = controlText(dialog, VELUMIXER_IDC_STORE_DEFAULTS);
    view.restoreButton = controlText(dialog, VELUMIXER_IDC_RESTORE_DEFAULTS);
    view.link = controlText(dialog, VELUMIXER_IDC_MANUAL_LINK);
    view.storeEnabled = controlEnabled(dialog, VELUMIXER_IDC_STORE_DEFAULTS);
    view.restoreEnabled = controlEnabled(dialog, VELUMIXER_IDC_RESTORE_DEFAULTS);
    view.linkVisible = controlVisible(dialog, VELUMIXER_IDC_MANUAL_LINK);
    view.mainWindowEnabled = mainWindow != nullptr && IsWindowEnabled(mainWindow) != FALSE;
    GetWindowRect(dialog, &view.rect);
    return view;
}

// The placement rule: centred on the reference, top-left at least 32 pixels inside it.
POINT expectedTopLeft(const RECT& reference, const RECT& dialog) {
    const LONG width = dialog.right - dialog.left;
    const LONG height = dialog.bottom - dialog.top;
    return {std::max((reference.left + reference.right - width) / 2, reference.left + 32),
            std::max((reference.top + reference.bottom - height) / 2, reference.top + 32)};
}

constexpr int kCloseBox = 0;

class OptionsDialogTest : public EffectHostTest {
protected:
    // A host with its main window, and a new effect instance in it.
    void startHost(vmhost::HostConfig config = {}, vmhost::WindowBounds window = {100, 80, 900, 700}) {
        config.openMainWindow = window;
        start(config);
        setUpInstance();
    }

    // Clicks the Options link; the watcher looks at the dialog, saves a screenshot when
    // asked, then presses `button` (kCloseBox: the close box).
    DialogView showAndPress(int button, const std::string& screenshot = "") {
        HWND mainWindow = static_cast<HWND>(host().mainWindow());
        DialogView view;
        PF_Err err = -1;
        bool saved = false;
        const dialogtest::DialogRun run = dialogtest::runWithDialog(
            [&] { err = host().send(PF_Cmd_DO_DIALOG, host().paramsArray()); },
            [&](HWND dialog) {
                view = look(dialog, mainWindow);
                if (!screenshot.empty()) {
                    saved = dialogtest::saveScreenshot(dialog, std::string(VELUMIXER_ARTIFACT_DIR "/") + screenshot);
                }
                if (button == kCloseBox) {
                    dialogtest::clickCloseBox(dialog);
                } else {
                    dialogtest::clickButton(dialog, button);
                }
            });
        EXPECT_TRUE(run.seen) << "no dialog appeared";
        EXPECT_FALSE(run.forcedClose) << "the press did not end the dialog";
        if (!screenshot.empty()) {
            EXPECT_TRUE(saved) << "no screenshot " << screenshot;
        }
        EXPECT_EQ(PF_Err_NONE, err);
        if (mainWindow != nullptr) {
            EXPECT_TRUE(IsWindowEnabled(mainWindow)) << "the host stays disabled";
        }
        expectNothingHeld();
        return view;
    }

    RECT mainWindowRect() {
        RECT rect{};
        GetWindowRect(static_cast<HWND>(host().mainWindow()), &rect);
        return rect;
    }

    UserDefaultsFolder store;
};

TEST_F(OptionsDialogTest, EnglishDialogOverTheInertHostChangesNothingOnOk) {
    startHost();
    const DialogView view = showAndPress(IDOK, "options-dialog-en.png");
    EXPECT_EQ(L"Velumixer", view.title);
    EXPECT_EQ(L"Settings (Valid from next start-up)", view.group);
    EXPECT_EQ(L"Set current parameter values to default", view.storeButton);
    EXPECT_EQ(L"Restore initial default parameter values", view.restoreButton);
    EXPECT_NE(std::wstring::npos, view.link.find(L"Online Manual")) << view.link.c_str();
    EXPECT_TRUE(view.storeEnabled);
    EXPECT_TRUE(view.restoreEnabled);
    EXPECT_TRUE(view.linkVisible);
    EXPECT_FALSE(view.mainWindowEnabled) << "the host must be inert while the dialog is open";

    const POINT expected = expectedTopLeft(mainWindowRect(), view.rect);
    EXPECT_EQ(expected.x, view.rect.left);
    EXPECT_EQ(expected.y, view.rect.top);
    EXPECT_FALSE(UserDefaultsFolder::exists(store.vendorFolder())) << "OK must not touch the store";
}

TEST_F(OptionsDialogTest, JapaneseDialogShowsItsTextsAndTheCloseBoxDoesNothing) {
    vmhost::HostConfig config;
    config.appLanguage = "ja_JP";
    startHost(config);
    const DialogView view = showAndPress(kCloseBox, "options-dialog-ja.png");
    EXPECT_EQ(L"Velumixer", view.title);
    EXPECT_EQ(L"設定 （次回起動から有効になります）", view.group);
    EXPECT_EQ(L"現在のパラメータ設定をデフォルト値として記憶する", view.storeButton);
    EXPECT_EQ(L"パラメータのデフォルト値設定を初期状態に復帰する", view.restoreButton);
    EXPECT_NE(std::wstring::npos, view.link.find(L"オンラインマニュアル"));
    EXPECT_FALSE(UserDefaultsFolder::exists(store.vendorFolder()));
}

TEST_F(OptionsDialogTest, StoreButtonWritesTheCurrentValuesAfterTheDialogCloses) {
    startHost();
    host().params().setFloatValue("G", 7.5);
    host().params().setColor("3 : Color", PF_Pixel{255, 1, 2, 3});
    host().params().setValue("Mode", 2);
    showAndPress(VELUMIXER_IDC_STORE_DEFAULTS);

    EXPECT_EQ(UserDefaultsFolder::keysInParameterOrder(), store.storedKeys());
    const std::string text = store.readIni();
    for (const char* line : {"\r\nG=7.5", "\r\n3 : Color.r=1\r\n", "\r\n3 : Color.b=3\r\n", "\r\nMode=2\r\n"}) {
        EXPECT_NE(std::string::npos, text.find(line)) << line << " missing in\n" << text;
    }
}

TEST_F(OptionsDialogTest, RestoreButtonRemovesTheStoreAndItsEmptyFolders) {
    startHost();
    store.writeIni("[Version=1.0]\r\nG=12.5\r\n");
    showAndPress(VELUMIXER_IDC_RESTORE_DEFAULTS);
    EXPECT_FALSE(UserDefaultsFolder::exists(store.iniPath()));
    EXPECT_FALSE(UserDefaultsFolder::exists(store.vendorFolder()));

    // Without a file the folders are made and removed again: nothing is left behind.
    showAndPress(VELUMIXER_IDC_RESTORE_DEFAULTS);
    EXPECT_FALSE(UserDefaultsFolder::exists(store.vendorFolder()));
    EXPECT_TRUE(UserDefaultsFolder::exists(store.appData()));
}

TEST_F(OptionsDialogTest, OlderAfterEffectsGreysOutTheStoreButtons) {
    vmhost::HostConfig config;
    config.apiMajor = 12;
    config.apiMinor = 11;
    startHost(config);
    HWND mainWindow = static_cast<HWND>(host().mainWindow());
    DialogView view;
    const dialogtest::DialogRun run =
        dialogtest::runWithDialog([&] { host().send(PF_Cmd_DO_DIALOG, host().paramsArray()); },
                                  [&](HWND dialog) {
                                      view = look(dialog, mainWindow);
                                      // A disabled button must not act, however it is pressed.
                                      PostMessageA(dialog, WM_COMMAND, VELUMIXER_IDC_STORE_DEFAULTS,
                                                   reinterpret_cast<LPARAM>(
                                                       GetDlgItem(dialog, VELUMIXER_IDC_STORE_DEFAULTS)));
                                      dialogtest::pressEscape(dialog);
                                  });
    EXPECT_TRUE(run.seen);
    EXPECT_FALSE(run.forcedClose) << "Esc must end the dialog";
    EXPECT_FALSE(view.storeEnabled);
    EXPECT_FALSE(view.restoreEnabled);
    EXPECT_TRUE(view.linkVisible);
    EXPECT_FALSE(UserDefaultsFolder::exists(store.vendorFolder()));
}

TEST_F(OptionsDialogTest, DialogLargerThanItsOwnerStays32PixelsInside) {
    startHost({}, {300, 200, 120, 90});
    const DialogView view = showAndPress(IDOK);
    const RECT owner = mainWindowRect();
    EXPECT_EQ(owner.left + 32, view.rect.left);
    EXPECT_EQ(owner.top + 32, view.rect.top);
}

TEST_F(OptionsDialogTest, DialogWithoutOwnerIsCentredOnTheMonitorUnderTheCursor) {
    setUpInstance();  // a host that answers no main window
    ASSERT_EQ(nullptr, host().mainWindow());
    SetCursorPos(40, 30);
    const DialogView view = showAndPress(IDOK);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(POINT{40, 30}, MONITOR_DEFAULTTONEAREST), &monitor));
    const POINT expected = expectedTopLeft(monitor.rcMonitor, view.rect);
    EXPECT_EQ(expected.x, view.rect.left);
    EXPECT_EQ(expected.y, view.rect.top);
}

}  // namespace
