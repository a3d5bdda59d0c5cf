#pragma once
// The Input page: the input-status label of each input, shown or not, where it sits in its
// window, its text colour and its background colour.
#include "link/session.h"
#include "ui/page_background.h"

class QComboBox;

namespace kx::ui {

enum class InputColumn { Enable, Position, TextColor, BackColor };
inline constexpr int kInputColumnCount = 4;

int InputControlId(int line, InputColumn column);

class CKX7214_Input : public CPageDialog {
    Q_OBJECT
public:
    explicit CKX7214_Input(QWidget* parent);

    QComboBox* List(int line, InputColumn column) const;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;

private:
    void FillLine(int line);
    void EnableLine(int line, bool enable);
    void OnListChanged(int line, InputColumn column);

    CKX7214Session* m_p_main_wnd = nullptr;
};

} // namespace kx::ui
