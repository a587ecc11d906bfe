#include "app/welcome_dialog.h"

#include "resource.h"

namespace brimel {

WelcomeDialog::WelcomeDialog() : Dialog(IDD_WELCOME, nullptr) {}

void WelcomeDialog::DoDataExchange() {
    BindControl(IDC_WELCOME_ART, picture);
    BindControl(IDC_ACCEPT, acceptBox);
    BindControl(IDC_CAPTION_AGREEMENT, captionAgreement);
    BindControl(IDC_CAPTION_THANKS, captionThanks);
    BindControl(IDC_CAPTION_HELLO, captionHello);
    BindControl(IDC_INSTALL, installButton);
    BindControl(IDC_LICENSE_VIEW, licenseView);
}

BOOL WelcomeDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    runKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    return TRUE;
}

}  // namespace brimel
