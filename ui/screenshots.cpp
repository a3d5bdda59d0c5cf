#include "ui/screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>

#include "res/resource_ids.h"
#include "ui/button_st.h"
#include "ui/main_dialog.h"

namespace kx::ui {

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool Save(const QPixmap& picture, const QString& dir, const char* name) {
    return picture.save(QDir(dir).filePath(QString::fromLatin1(name)));
}

bool SavePreview(CZANDRELL_EX_NETWORKDlg& main, const QString& dir, const char* name) {
    Settle();
    CKX7214* page = main.Page();
    return page != nullptr && Save(page->grab(page->PreviewRect()), dir, name);
}

} // namespace

bool WriteScreenshots(CZANDRELL_EX_NETWORKDlg& main, const QString& dir) {
    QDir().mkpath(dir);
    main.SetAlertHandler([](const platform::Alert&) {});
    main.show();
    Settle();
    main.DlgItem<CButtonST>(res::IDC_BTN_SCAN)->click();
    Settle();
    bool ok = Save(main.grab(), dir, "main-window.png");
    ok = ok && main.Page() != nullptr && Save(main.Page()->grab(), dir, "status-page.png");
    ok = ok && SavePreview(main, dir, "preview-studio-a.png");
    if (main.DeviceCombo()->count() > 1) {
        main.DeviceCombo()->setCurrentIndex(1);
        main.OnDeviceSelectionChanged(1);
        ok = ok && SavePreview(main, dir, "preview-edit-b.png");
        ok = ok && Save(main.grab(), dir, "main-window-edit-b.png");
    }
    return ok;
}

} // namespace kx::ui
