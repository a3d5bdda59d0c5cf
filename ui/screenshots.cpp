#include "ui/screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>

#include "res/resource_ids.h"
#include "ui/about_dialog.h"
#include "ui/button_st.h"
#include "ui/main_dialog.h"
#include "ui/page_factory.h"

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

// The container on each of its pages, then back on the Status page.
bool SaveEveryTab(CZANDRELL_EX_NETWORKDlg& main, const QString& dir) {
    bool ok = true;
    for (const TabInfo& tab : Tabs()) {
        main.Page()->TabButton(tab.tab)->click();
        Settle();
        const QString name = QStringLiteral("tab-%1.png").arg(tab.tab);
        ok = ok && main.Page()->grab().save(QDir(dir).filePath(name));
    }
    main.Page()->TabButton(1)->click();
    return ok;
}

bool SaveAboutBox(CZANDRELL_EX_NETWORKDlg& main, const QString& dir) {
    CAboutDlg about(&main);
    about.Create();
    about.show();
    Settle();
    const bool ok = Save(about.grab(), dir, "about.png");
    about.done(0);
    return ok;
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
    ok = ok && SaveEveryTab(main, dir);
    ok = ok && SaveAboutBox(main, dir);
    if (main.DeviceCombo()->count() > 1) {
        main.DeviceCombo()->setCurrentIndex(1);
        main.OnDeviceSelectionChanged(1);
        ok = ok && SavePreview(main, dir, "preview-edit-b.png");
        ok = ok && Save(main.grab(), dir, "main-window-edit-b.png");
    }
    // The device on "another subnet", found by typing its address.
    main.FindAddressCombo()->setEditText(QStringLiteral("127.0.0.4"));
    main.DlgItem<CButtonST>(res::IDC_BTN_FIND)->click();
    Settle();
    ok = ok && Save(main.grab(), dir, "main-window-find.png");
    return ok;
}

} // namespace kx::ui
