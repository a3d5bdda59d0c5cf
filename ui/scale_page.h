#pragma once
// The Scale page: output format, the sixteen output layouts as picture buttons, and the window
// border (on or off, and its colour). Each change goes into the record at once, the preview
// follows, and in Auto Apply the device gets the one setting.
#include <array>
#include <cstdint>

#include "link/session.h"
#include "ui/page_background.h"

class QComboBox;

namespace kx::ui {

class CButtonST;

class CKX7214_Scale : public CPageDialog {
    Q_OBJECT
public:
    explicit CKX7214_Scale(QWidget* parent);

    // Marks layout k (a signed byte: negative or above 15 marks none), stores it in the record
    // and, once the page has opened, applies it.
    void SelectLayout(std::int8_t k);
    std::int8_t CurrentLayout() const { return m_cur_layout; }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;

private:
    QComboBox* Combo(int id) const;
    void FillLists(const kx7214_page_data& record);
    void PlaceLayoutButtons();
    void OnOutputFormatChanged();
    void OnBorderColorSelected();
    void OnBorderEnableSelected();

    CKX7214Session* m_p_main_wnd = nullptr;
    std::array<CButtonST*, kLayoutCount> m_btn_layout{};
    std::int8_t m_cur_layout = -1;
    // Set once the page has marked the record's layout; from then on every layout chosen is
    // applied, whatever the record held before.
    bool m_opened = false;
};

} // namespace kx::ui
