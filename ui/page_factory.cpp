#include "ui/page_factory.h"

#include "res/resource_ids.h"
#include "ui/audio_page.h"
#include "ui/input_page.h"
#include "ui/overlay_page.h"
#include "ui/scale_page.h"
#include "ui/setting_page.h"
#include "ui/status_page.h"

namespace kx::ui {

namespace {

template <class Page> CDialog* Make(QWidget* parent) {
    return new Page(parent);
}

using namespace res;

constexpr TabInfo kTabs[] = {
    {1, IDC_TAB_STATUS, IDB_TAB_STATUS, IDB_TAB_STATUS + 1, 90, 50, &Make<CKX7214_Status>},
    {2, IDC_TAB_SCALE, IDB_TAB_SCALE, IDB_TAB_SCALE + 1, 165, 100, &Make<CKX7214_Scale>},
    {3, IDC_TAB_OVERLAY, IDB_TAB_OVERLAY, IDB_TAB_OVERLAY + 1, 290, 80, &Make<CKX7214_Overlay>},
    {4, IDC_TAB_AUDIO, IDB_TAB_AUDIO, IDB_TAB_AUDIO + 1, 395, 80, &Make<CKX7214_Audio>},
    {5, IDC_TAB_INPUT, IDB_TAB_INPUT, IDB_TAB_INPUT + 1, 500, 95, &Make<CKX7214_Input>},
    {6, IDC_TAB_SETTING, IDB_TAB_SETTING, IDB_TAB_SETTING + 1, 620, 65, &Make<CKX7214_Setting>},
};

} // namespace

std::span<const TabInfo> Tabs() {
    return kTabs;
}

const TabInfo* FindTab(int tab) {
    for (const TabInfo& info : kTabs)
        if (info.tab == tab)
            return &info;
    return nullptr;
}

} // namespace kx::ui
