#include "ui/about_dialog.h"

#include <QLabel>

#include "res/bitmaps.h"
#include "res/resource_ids.h"

namespace kx::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(res::AboutTemplate(), parent) {}

bool CAboutDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("About Tavrin Ethernet Control"));
    auto* icon = DlgItem<QLabel>(res::IDC_ABOUT_ICON);
    icon->setPixmap(res::LoadAppIcon().pixmap(32, 32));
    return true;
}

void CAboutDlg::OnCommand(int id, Notify code) {
    if (id == res::IDOK && code == Notify::Clicked)
        OnOK();
}

} // namespace kx::ui
