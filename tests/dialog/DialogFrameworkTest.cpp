// The dialog framework and the Options dialog on their own, with the effect module's
// resources: the window-to-object map, the missing manual address, the text buffers.
#include "DialogWatcher.h"
#include "dialog/AEFxOptionDialog.h"
#include "host/ModulePath.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Notes what the window-to-object map says while the dialog starts.
class ProbeDialog : public FxOptionDlg::AEFxOptionDialog {
public:
    using AEFxOptionDialog::AEFxOptionDialog;

    int onInitDialog(HWND window, WPARAM wParam) override {
        knownWhileOpen = isKnownDialog(window);
        return AEFxOptionDialog::onInitDialog(window, wParam);
    }

    bool knownWhileOpen = false;
};

class DialogFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA(vmhost::defaultModulePath().c_str());
        ASSERT_NE(nullptr, module_) << vmhost::defaultModulePath();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    HINSTANCE resources() const { return module_; }

private:
    HMODULE module_ = nullptr;
};

TEST_F(DialogFrameworkTest, WithoutManualAddressTheLinkIsHiddenAndTheLongTitleCut) {
    const std::string longTitle(300, 'T');
    ProbeDialog dialog(resources(), nullptr, longTitle.c_str(), nullptr, true, 1);
    INT_PTR result = -1;
    HWND seenWindow = nullptr;
    bool linkVisible = true, linkEnabled = true;
    std::wstring title;
    ASSERT_TRUE(dialogtest::runWithDialog([&] { result = dialog.doModal(); },
                                          [&](HWND window) {
                                              seenWindow = window;
                                              title = dialogtest::windowText(window);
                                              linkVisible = dialogtest::controlVisible(window, VELUMIXER_IDC_MANUAL_LINK);
                                              linkEnabled = dialogtest::controlEnabled(window, VELUMIXER_IDC_MANUAL_LINK);
                                              dialogtest::clickButton(window, VELUMIXER_IDC_RESTORE_DEFAULTS);
                                          }).seen);
    EXPECT_EQ(FxOptionDlg::kOptionsRestoreDefaults, result);
    EXPECT_FALSE(linkVisible);
    EXPECT_FALSE(linkEnabled);
    EXPECT_EQ(std::wstring(255, L'T'), title) << "the title is cut to its 256-byte buffer";
    EXPECT_TRUE(dialog.knownWhileOpen);
    EXPECT_FALSE(trelmDlg::DialogBase::isKnownDialog(seenWindow)) << "an ended dialog stays in the map";
}

TEST_F(DialogFrameworkTest, StoreButtonAndOkGiveTheirResults) {
    for (const auto& [button, expected] : {std::pair{VELUMIXER_IDC_STORE_DEFAULTS, FxOptionDlg::kOptionsStoreDefaults},
                                           std::pair{IDOK, FxOptionDlg::kOptionsNoAction}}) {
        FxOptionDlg::AEFxOptionDialog dialog(resources(), nullptr, "Velumixer", "https://example.com/", true, 1);
        INT_PTR result = -1;
        EXPECT_TRUE(dialogtest::runWithDialog([&] { result = dialog.doModal(); },
                                              [&](HWND window) { dialogtest::clickButton(window, button); })
                        .seen);
        EXPECT_EQ(expected, result) << "button " << button;
    }
}

TEST_F(DialogFrameworkTest, ADialogThatCannotBeCreatedCountsAsNoAction) {
    // This test program has no dialog template 206.
    FxOptionDlg::AEFxOptionDialog dialog(GetModuleHandleA(nullptr), nullptr, "Velumixer", nullptr, true, 0);
    EXPECT_EQ(FxOptionDlg::kOptionsNoAction, dialog.doModal());
}

}  // namespace
