#pragma once
// The demo workshop's function menu: ids of its pages and the codes of their buttons.
#include <cstdint>

#include "menu_stream_builder.h"

namespace corvane::unitsim::demo {

// Page ids (also the ids of the menu items that open them).
enum PageId : std::uint16_t {
    kLiveData = 10,
    kFaultCodes = 11,
    kInjectorTest = 12,
    kFuelPump = 13,
    kServiceReset = 14,
    kKeyProgramming = 15,
    kSettings = 16,
    kCustomer = 17,
    kFiles = 18,
    kPopUps = 19,
    kAbout = 20,
};

// A page hands over its page code when it opens: 01 01 <page id>.
constexpr std::uint32_t pageCode(std::uint16_t pageId) { return 0x010100u | (pageId & 0xFFu); }
constexpr bool isPageCode(std::uint32_t code) { return (code & 0xFFFF00u) == 0x010100u; }

// Page button codes: 02 01 <n>. No zero byte, so the PC sends them exactly as built.
enum ButtonCode : std::uint32_t {
    kReportButton = 0x020101,
    kSnapshotButton = 0x020102,
    kDetailsButton = 0x020103,
    kClearCodesButton = 0x020104,
    kRunTestButton = 0x020105,
    kKeyPadButton = 0x020106,
    kPrimePumpButton = 0x020107,
    kResetServiceButton = 0x020108,
    kLearnKeyButton = 0x020109,
    kSaveSettingsButton = 0x02010A,
    kEnterCustomerButton = 0x02010B,
    kChooseVehicleButton = 0x02010C,
    kStoreWhereButton = 0x02010D,
    kSaveLogButton = 0x02010E,
    kLoadFileButton = 0x02010F,
    // The pop-up page: one button for every kind of pop-up.
    kAskYesNoButton = 0x020110,
    kShowMessageButton = 0x020111,
    kAskComputerButton = 0x020112,
    kShowNoticeButton = 0x020113,
    kShowWaitButton = 0x020114,
    kShowProgressButton = 0x020115,
    kPickLineButton = 0x020116,
    kTypeTextButton = 0x020117,
    kOpenKeyPadButton = 0x020118,
    kFileRoundTripButton = 0x020119,
};
constexpr bool isPopUpButton(std::uint32_t code) { return code >= kAskYesNoButton && code <= kFileRoundTripButton; }

// Progress target of the key pad's bar.
constexpr std::uint8_t kKeyPadProgress = 255;

// Key codes of the transport key pad.
enum KeyCode : std::uint8_t {
    kKeyBackOne = 1,
    kKeyBackTwo = 2,
    kKeyBackThree = 3,
    kKeyForwardTwo = 4,
    kKeyForwardOne = 5,
    kKeyForwardThree = 6,
    kKeyStart = 7,
    kKeyEnd = 8,
    kKeyEsc = 9
};

// Control ids used by the demo logic.
namespace live {
enum : std::uint8_t { kSpeed = 1, kCoolant = 2, kVehicleSpeed = 3, kBattery = 4, kLoad = 5, kTitle = 9 };
}
namespace faults {
enum : std::uint8_t { kSummary = 1, kList = 2, kDetails = 5 };
}
namespace injector {
enum : std::uint8_t { kStatus = 1, kProgress = 2 };
}
namespace pump {
enum : std::uint8_t { kStatus = 1, kPressure = 2 };
}
namespace service {
enum : std::uint8_t { kDistance = 2 };
}
namespace keys {
enum : std::uint8_t { kStored = 2 };
}
namespace settings {
enum : std::uint8_t { kUnits = 1, kLanguage = 2, kWorkshop = 3, kPhone = 4 };
}
namespace customer {
enum : std::uint8_t { kName = 1, kVehicle = 2, kStorage = 6 };
}
namespace files {
enum : std::uint8_t { kProgress = 2, kResult = 3 };
}
namespace about {
enum : std::uint8_t { kInfo = 2 };
}
namespace popups {
enum : std::uint8_t { kReceived = 12 };
}

// The whole menu: three nested groups under "Vehicle", a "Workshop" group, eleven items, and
// a page for every item.
MenuStreamBuilder buildDemoMenu();

}  // namespace corvane::unitsim::demo
