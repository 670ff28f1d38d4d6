#include "about/frm_about.h"

namespace about {

bool FrmAbout::Create() {
    return CreateWindowOfClass(kFrmAboutClass, "About Pelmora", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 240, 230, nullptr);
}

void FrmAbout::Show() { ShowWindow(hwnd(), SW_SHOW); }

}  // namespace about
