#include "ui/preview_operations.h"

#include "platform/log.h"

namespace kx::ui {

namespace {
bool AutoApply(const CKX7214Session& main) {
    return main.m_all_kx7214_page_data.kx7214_auto_or_manual_status == 0;
}
} // namespace

void OnBorderColorChanged(CKX7214Session& main) {
    main.View().InvalidatePreview();
    if (!AutoApply(main))
        return;
    platform::Log(" send new mode \n");
    main.SendValue(CMD_SET_BORDER_COLOR, main.m_all_kx7214_page_data.kx7214_border_color);
}

void OnBorderEnableChanged(CKX7214Session& main) {
    main.View().InvalidatePreview();
    if (AutoApply(main))
        main.SendValue(CMD_SET_BORDER_ENABLE, main.m_all_kx7214_page_data.kx7214_border_enable);
}

void OnOutputLayoutChanged(CKX7214Session& main) {
    if (AutoApply(main))
        main.SendValue(CMD_SET_OUTPUT_LAYOUT, main.m_all_kx7214_page_data.kx7214_output_layout);
    main.UpdatePreviewGeometry();
    platform::Log("load all fun over \n");
}

} // namespace kx::ui
