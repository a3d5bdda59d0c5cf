#pragma once
// The device page container: six picture tabs, the one page now open, and the painted
// preview of the device's output layout.
#include <QPointer>
#include <cstdint>

#include "link/session.h"
#include "ui/button_st.h"
#include "ui/dialog.h"

namespace kx::ui {

inline constexpr std::uint8_t kNoTab = 255;

struct TabInfo;

class CKX7214 : public CDialog {
    Q_OBJECT
public:
    // show_mode_rect is the main window's preview anchor, which initialisation fills in.
    CKX7214(CKX7214Session& main, QRect& show_mode_rect, QWidget* parent);

    void SwitchPage(int tab);
    // Reads the device afresh and opens the current page again, so that it and the preview
    // show what the device holds.
    void ReadAgain();
    int CurrentTab() const { return m_current_tab; }
    CDialog* ChildPage() const { return m_p_child_page; }
    CButtonST* TabButton(int tab) const;
    const QRect& ChildPageRect() const { return m_rc_child_page; }

    // The preview, container pixels; repainted at the next paint cycle.
    QRect PreviewRect() const;
    void InvalidatePreview();

    bool PreTranslateMessage(QKeyEvent* key) override;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;
    void OnEraseBkgnd(QPainter& painter) override;
    void OnPaint(QPainter& painter) override;
    void PostNcDestroy() override;

private:
    void ClosePage();
    void OpenPage(const TabInfo& tab);

    CKX7214Session& m_main;
    QRect& m_show_mode_rect;
    QRect m_rc_child_page;
    std::uint8_t m_current_tab = kNoTab;
    QPointer<CDialog> m_p_child_page;
};

} // namespace kx::ui
