// The about window: title, version and credits over a background picture.
#pragma once

#include <windows.h>

#include "win/window.h"

namespace about {

constexpr const char* kFrmAboutClass = "Pelmora.frmAbout";

class FrmAbout : public win::Window {
public:
    bool Create();
    void Show();
};

}  // namespace about
