// Handlers of the main window's controls and its timer. Each applies its change, then stores it.
#include <vector>

#include "app/form1.h"
#include "app/startup_args.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace app {

namespace {

std::string RunningExecutablePath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

settings::Value Position(const controls::ScrollBar& slider) {
    return settings::Value::Int16(static_cast<int16_t>(slider.Value()));
}

}  // namespace

void Form1::Check1_Click() {
    int16_t stored = 0;
    if (Check1.Value() == 1) {
        HScroll1.SetVisible(true);
        SetTaskbarAlpha(static_cast<int16_t>(HScroll1.Value()));
        stored = 1;
    } else {
        HScroll1.SetVisible(false);
        SetTaskbarAlpha(255);
    }
    registry::WriteSetting(names::kCheckMT, settings::Value::Int16(stored));
}

void Form1::HScroll1_Change() {
    SetTaskbarAlpha(static_cast<int16_t>(HScroll1.Value()));
    registry::WriteSetting(names::kHS1, Position(HScroll1));
}

void Form1::HScroll2_Change() {
    PlaceStartButton();
    registry::WriteSetting(names::kPX1, Position(HScroll2));
}

void Form1::HScroll3_Change() {
    PlaceStartButton();
    registry::WriteSetting(names::kPX2, Position(HScroll3));
}

void Form1::HScroll4_Change() {
    PlaceStartButton();
    registry::WriteSetting(names::kPY1, Position(HScroll4));
}

void Form1::HScroll5_Change() {
    PlaceStartButton();
    registry::WriteSetting(names::kPY2, Position(HScroll5));
}

void Form1::Image4_Click() {
    const std::string label = Text1.Text();
    SetStartButtonLabel(label);
    registry::WriteSetting(names::kText, settings::Value::Text(label));
    Text1.SetText("");
    Form_Load();
}

void Form1::Check2_Click() {
    if (Check2.Value() == 1) {
        // Quoted: a path with spaces must not resolve to another program at logon.
        const std::string command = AutostartCommand(RunningExecutablePath());
        registry::RegistryWriteValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName,
                                     settings::Value::Text(command), REG_SZ);
        registry::WriteSetting(names::kCheck, settings::Value::Int16(1));
    } else {
        registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName);
        registry::WriteSetting(names::kCheck, settings::Value::Int16(0));
    }
}

void Form1::Timer1_Timer() {
    // A monitor plugged in gets the look now; one taken away is simply no longer found.
    secondary_taskbars_ = FindSecondaryTaskbars();
    if (Check1.Value() == 1) HScroll1_Change();
    PlaceStartButton();
    SetStartButtonLabel(Text1.Text());
    draw();
}

}  // namespace app
