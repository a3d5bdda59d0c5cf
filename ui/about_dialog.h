#pragma once
// The About box: product name, version and icon.
#include "ui/dialog.h"

namespace kx::ui {

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
};

} // namespace kx::ui
