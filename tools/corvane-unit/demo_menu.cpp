#include "demo_menu.h"

namespace corvane::unitsim::demo {

namespace {
ControlElement ctl(std::uint8_t id, char type, std::uint8_t l, std::uint8_t t, std::uint8_t r, std::uint8_t b,
                   std::string text) {
    ControlElement c;
    c.id = id;
    c.type = type;
    c.left = l;
    c.top = t;
    c.right = r;
    c.bottom = b;
    c.text = std::move(text);
    return c;
}

ControlElement button(std::uint8_t id, std::uint8_t l, std::uint8_t t, std::uint8_t r, std::uint8_t b, std::string text,
                      std::uint32_t code, std::uint8_t iconStyle = 0) {
    ControlElement c = ctl(id, 'b', l, t, r, b, std::move(text));
    c.code = code;
    c.style = iconStyle;
    return c;
}
}  // namespace

MenuStreamBuilder buildDemoMenu() {
    MenuStreamBuilder m;
    m.group("Vehicle", 1, 1)
        .group("Engine", 2, 2)
        .item("Live data", kLiveData, 3)
        .item("Fault codes", kFaultCodes, 4)
        .group("Actuator tests", 3, 5)
        .item("Injector test", kInjectorTest, 6)
        .item("Fuel pump", kFuelPump, 7)
        .endGroup()
        .endGroup()
        .group("Body", 4, 8)
        .item("Service reset", kServiceReset, 9)
        .item("Key programming", kKeyProgramming, 10)
        .endGroup()
        .endGroup()
        .group("Workshop", 5, 11)
        .item("Settings", kSettings, 12)
        .item("Customer", kCustomer, 13)
        .item("Files", kFiles, 1)
        .item("Pop-ups", kPopUps, 4)
        .item("About", kAbout, 2)
        .endGroup();

    m.page(kLiveData, pageCode(kLiveData))
        .control(ctl(live::kTitle, 't', 2, 2, 100, 6, "Engine running - live values"))
        .control(ctl(live::kSpeed, 's', 2, 8, 70, 14, "Engine speed|rpm"))
        .control(ctl(live::kCoolant, 's', 2, 16, 70, 22, "Coolant temp.|C"))
        .control(ctl(live::kVehicleSpeed, 's', 2, 24, 70, 30, "Vehicle speed|km/h"))
        .control(ctl(live::kBattery, 's', 2, 32, 70, 38, "Battery|V"))
        .control(ctl(live::kLoad, 'p', 2, 40, 70, 44, ""))
        .control(button(6, 2, 48, 30, 54, "Report", kReportButton))
        .control(button(7, 34, 48, 50, 64, "Snapshot", kSnapshotButton, 8));

    m.page(kFaultCodes, pageCode(kFaultCodes))
        .control(ctl(faults::kSummary, 't', 2, 2, 100, 6, "Reading fault memory..."))
        .control(ctl(faults::kList, 'l', 2, 8, 100, 40, ""))
        .control(button(3, 2, 42, 30, 48, "Details", kDetailsButton))
        .control(button(4, 34, 42, 62, 48, "Clear codes", kClearCodesButton))
        .control(ctl(faults::kDetails, 'x', 2, 50, 100, 70, ""));

    m.page(kInjectorTest, pageCode(kInjectorTest))
        .control(ctl(injector::kStatus, 't', 2, 2, 100, 6, "Injector balance test"))
        .control(ctl(injector::kProgress, 'p', 2, 8, 100, 12, ""))
        .control(button(3, 2, 14, 30, 20, "Run test", kRunTestButton))
        .control(button(4, 34, 14, 50, 30, "Key pad", kKeyPadButton, 5));

    m.page(kFuelPump, pageCode(kFuelPump))
        .control(ctl(pump::kStatus, 't', 2, 2, 100, 6, "Fuel pump"))
        .control(ctl(pump::kPressure, 's', 2, 8, 70, 14, "Rail pressure|bar"))
        .control(button(3, 2, 16, 30, 22, "Prime pump", kPrimePumpButton));

    m.page(kServiceReset, pageCode(kServiceReset))
        .control(ctl(1, 't', 2, 2, 100, 6, "Oil service interval"))
        .control(ctl(service::kDistance, 's', 2, 8, 70, 14, "Next service|km"))
        .control(button(3, 2, 16, 30, 22, "Reset interval", kResetServiceButton));

    m.page(kKeyProgramming, pageCode(kKeyProgramming))
        .control(ctl(1, 't', 2, 2, 100, 6, "Transponder keys"))
        .control(ctl(keys::kStored, 's', 2, 8, 70, 14, "Keys learned"))
        .control(button(3, 2, 16, 30, 22, "Learn keys", kLearnKeyButton, 0));

    m.page(kSettings, pageCode(kSettings))
        .control(ctl(settings::kUnits, 'c', 2, 2, 80, 8, "Units|Metric|Imperial"))
        .control(ctl(settings::kLanguage, 'c', 2, 10, 80, 16, "Language|English|Deutsch|Francais"))
        .control(ctl(settings::kWorkshop, 'e', 2, 18, 80, 24, ""))
        .control(ctl(settings::kPhone, 'e', 2, 26, 80, 32, ""))
        .control(ctl(5, 't', 82, 18, 120, 24, "Workshop name"))
        .control(button(6, 2, 34, 30, 40, "Save settings", kSaveSettingsButton));

    m.page(kCustomer, pageCode(kCustomer))
        .control(ctl(customer::kName, 's', 2, 2, 70, 8, "Customer"))
        .control(ctl(customer::kVehicle, 's', 2, 10, 70, 16, "Vehicle"))
        .control(button(3, 2, 18, 30, 24, "Enter customer", kEnterCustomerButton))
        .control(button(4, 34, 18, 62, 24, "Choose vehicle", kChooseVehicleButton))
        .control(button(5, 66, 18, 94, 24, "Store record", kStoreWhereButton))
        .control(ctl(customer::kStorage, 't', 2, 26, 100, 30, ""));

    m.page(kFiles, pageCode(kFiles))
        .control(ctl(1, 't', 2, 2, 100, 6, "Log files"))
        .control(ctl(files::kProgress, 'p', 2, 8, 100, 12, ""))
        .control(ctl(files::kResult, 'x', 2, 14, 100, 30, ""))
        .control(button(4, 2, 32, 30, 38, "Save log to PC", kSaveLogButton))
        .control(button(5, 34, 32, 62, 38, "Load file", kLoadFileButton, 3));

    m.page(kPopUps, pageCode(kPopUps))
        .control(ctl(1, 't', 2, 2, 122, 6, "Every pop-up the unit can open; below, what the unit received"))
        .control(button(2, 2, 8, 30, 14, "Question", kAskYesNoButton))
        .control(button(3, 32, 8, 60, 14, "Message", kShowMessageButton))
        .control(button(4, 62, 8, 90, 14, "Computer or unit", kAskComputerButton))
        .control(button(5, 92, 8, 120, 14, "Notice", kShowNoticeButton))
        .control(button(6, 2, 16, 30, 22, "Please wait", kShowWaitButton))
        .control(button(7, 32, 16, 60, 22, "Progress", kShowProgressButton))
        .control(button(8, 62, 16, 90, 22, "Pick a line", kPickLineButton))
        .control(button(9, 92, 16, 120, 22, "Type a text", kTypeTextButton))
        .control(button(10, 2, 24, 30, 30, "Key pad", kOpenKeyPadButton))
        .control(button(11, 32, 24, 60, 30, "File round trip", kFileRoundTripButton))
        .control(ctl(popups::kReceived, 'x', 2, 32, 122, 52, ""));

    m.page(kAbout, pageCode(kAbout))
        .control(ctl(1, 't', 2, 2, 100, 6, "Corvane unit simulator"))
        .control(ctl(about::kInfo, 'x', 2, 8, 100, 30, ""));
    return m;
}

}  // namespace corvane::unitsim::demo
