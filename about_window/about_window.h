// The about window: title, version and credits over a background picture, and a link that opens
// the maker's web site. One instance: "OK", Enter and Escape hide it; the close box destroys it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/controls.h"
#include "controls/form.h"
#include "win/handles.h"
#include "win/window.h"

namespace about_window {

constexpr const char* kAboutWindowClass = "Pelmora.AboutWindow";
constexpr const char* kWebAddress = "http://www.velmontix.example";
constexpr const char* kEmailAddress = "pelmora@velmontix.example";

// The identifiers of the window's controls (GetDlgItem finds them); "OK" is IDOK.
enum ControlId : int {
    kTitleLabel = 4001,
    kTopLabel,
    kVersionLabel,
    kWebLinkLabel,
    kAuthorLabel,
    kEmailLabel,
    kRightsLabel,
};

// What opens the web address: the default browser, or a test's stand-in.
using AddressOpener = std::function<void(const std::string& address)>;
void OpenInBrowser(const std::string& address);

class AboutWindow : public controls::Form {
  public:
    explicit AboutWindow(AddressOpener open_address = OpenInBrowser);
    ~AboutWindow() override;

    // Creates the window hidden, centred on the screen; false when it could not be created.
    bool Create();
    void Show();

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroyed() override;
    void LayOut() override;

  private:
    void OnOkClicked();
    void OnWebLinkClicked();
    void CreateControls();
    void KeepInside(controls::Label& label);
    void RenderBackground();
    HBRUSH LabelBackground(HDC dc, HWND label);

    controls::Button ok_button_;
    controls::Label title_label_, top_label_;
    controls::Label version_label_, web_link_label_, author_label_, email_label_, rights_label_;
    win::unique_hwnd owner_;          // hidden owner: keeps the window off the taskbar
    win::unique_hfont link_font_;     // remade at every DPI
    win::unique_hbitmap background_;  // the picture, already stretched to the client area at every DPI
    win::unique_hbrush background_brush_;
    AddressOpener open_address_;
};

}  // namespace about_window
