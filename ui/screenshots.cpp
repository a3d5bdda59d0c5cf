#include "ui/screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

#include "res/resource_ids.h"
#include "sim/multiviewer.h"
#include "ui/about_dialog.h"
#include "ui/button_st.h"
#include "ui/main_dialog.h"
#include "ui/outcome_line.h"
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

void OpenTab(CZANDRELL_EX_NETWORKDlg& main, int tab) {
    main.Page()->TabButton(tab)->click();
    Settle();
}

// The operator's choice of an entry, as the list reports it.
void Choose(CZANDRELL_EX_NETWORKDlg& main, int id, int index) {
    auto* list = main.Page()->ChildPage()->DlgItem<QComboBox>(id);
    list->setCurrentIndex(index);
    emit list->activated(index);
    Settle();
}

void Click(QWidget* button) {
    static_cast<QAbstractButton*>(button)->click();
    Settle();
}

// The window with the history shown over it, where a pointer resting on the line shows it.
bool SaveHistory(CZANDRELL_EX_NETWORKDlg& main, const QString& dir) {
    COutcomeLine* line = main.OutcomeLine();
    const QPoint anchor = line->mapToGlobal(QPoint(line->width() / 3, 0));
    QToolTip::showText(anchor, line->toolTip(), line);
    Settle();
    QPixmap picture = main.grab();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !w->inherits("QTipLabel"))
            continue;
        QPainter painter(&picture);
        painter.drawPixmap(main.mapFromGlobal(w->pos()), w->grab());
    }
    QToolTip::hideText();
    return Save(picture, dir, "outcome-history.png");
}

// Device A accepts, refuses, is read again, stays silent, takes a layout; then Manual Apply
// holds three changes back until Apply.
bool SaveOutcomeLines(CZANDRELL_EX_NETWORKDlg& main, sim::SimDevice& device, const QString& dir) {
    main.DeviceCombo()->setCurrentIndex(0);
    main.OnDeviceSelectionChanged(0);
    OpenTab(main, 3);
    Choose(main, res::IDC_OVERLAY_TEXT_COLOR[1], 0);
    bool ok = Save(main.grab(), dir, "outcome-accepted.png");
    device.status = 3;
    Choose(main, res::IDC_OVERLAY_TEXT_COLOR[1], 2);
    ok = ok && Save(main.grab(), dir, "outcome-refused.png");
    device.status = 0;
    Click(main.OutcomeLine()->ReadAgainButton());
    ok = ok && Save(main.grab(), dir, "outcome-read-again.png");
    device.silent = true;
    OpenTab(main, 2);
    Choose(main, res::IDC_SCALE_OUTPUT_FORMAT, 8);
    ok = ok && Save(main.grab(), dir, "outcome-no-answer.png");
    device.silent = false;
    Click(main.OutcomeLine()->ReadAgainButton());
    Click(main.Page()->ChildPage()->GetDlgItem(res::IDC_SCALE_LAYOUT_FIRST + 12));
    ok = ok && Save(main.grab(), dir, "outcome-layout.png");
    OpenTab(main, 6);
    Choose(main, res::IDC_SETTING_MODE, 1);
    OpenTab(main, 2);
    Choose(main, res::IDC_SCALE_OUTPUT_FORMAT, 7);
    Click(main.Page()->ChildPage()->GetDlgItem(res::IDC_SCALE_LAYOUT_FIRST + 5));
    OpenTab(main, 5);
    Choose(main, res::IDC_INPUT_POSITION_2, 2);
    OpenTab(main, 6);
    ok = ok && Save(main.grab(), dir, "outcome-manual.png");
    Click(main.Page()->ChildPage()->GetDlgItem(res::IDC_SETTING_APPLY));
    ok = ok && Save(main.grab(), dir, "outcome-applied.png");
    return ok && SaveHistory(main, dir);
}

} // namespace

bool WriteScreenshots(CZANDRELL_EX_NETWORKDlg& main, sim::DeviceHost& devices, const QString& dir) {
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
    if (!devices.Devices().empty())
        ok = ok && SaveOutcomeLines(main, *devices.Devices().front(), dir);
    // The device on "another subnet", found by typing its address.
    main.FindAddressCombo()->setEditText(QStringLiteral("127.0.0.4"));
    main.DlgItem<CButtonST>(res::IDC_BTN_FIND)->click();
    Settle();
    ok = ok && Save(main.grab(), dir, "main-window-find.png");
    return ok;
}

} // namespace kx::ui
