#pragma once
// The Overlay page: the under-monitor label of each of the four inputs: shown or not, its
// position, text and background colours, and its text. Each change goes into the shared state
// at once, the labels of the preview follow, and in Auto Apply the device gets the one setting.
#include <cstdint>

#include "link/session.h"
#include "ui/page_background.h"

class QComboBox;
class QLineEdit;

namespace kx::ui {

inline constexpr int kUmdTextTypingLimit = 16;

class CKX7214_Overlay : public CPageDialog {
    Q_OBJECT
public:
    explicit CKX7214_Overlay(QWidget* parent);

    bool PreTranslateMessage(QKeyEvent* key) override;

    // The line number 1..4 of the content field that took the focus last; cleared when a click
    // on the page hands the focus to the group box. One value for the whole run.
    static std::int8_t m_umd_edit_focus;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;
    void OnLButtonDown(QMouseEvent* event) override;

private:
    QComboBox* Combo(const int (&ids)[kLineCount], int line) const;
    QLineEdit* Content(int line) const;
    void InitLine(int line, const kx7214_page_data& record);
    void EnableLine(int line, bool enable);
    void OnEnableChanged(int line);
    void OnPositionChanged(int line);
    void OnTextColorChanged(int line);
    void OnBackColorChanged(int line);
    void CommitText(int line);
    bool OnEnterKey();
    void SendIfAuto(std::uint8_t command, int line, std::uint8_t value);
    bool AutoApply() const;

    CKX7214Session* m_p_main_wnd = nullptr;
    // Set by the key filter: 0 for every key it examines, 1..4 for Enter in that line's field.
    std::int8_t m_edit_string_index = -1;
};

} // namespace kx::ui
