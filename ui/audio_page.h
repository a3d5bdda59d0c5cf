#pragma once
// The Audio page: the audio level meter over each input window, shown or not, on which side,
// and which pair of embedded channels it shows.
#include "link/session.h"
#include "ui/page_background.h"

class QComboBox;

namespace kx::ui {

// The page's columns; transparency and combination have lists that are never shown.
enum class AudioColumn { Enable, Position, Channel, Transparency, Combination };
inline constexpr int kAudioColumnCount = 5;

// The list of one column of one line (0..3).
int AudioControlId(int line, AudioColumn column);

class CKX7214_Audio : public CPageDialog {
    Q_OBJECT
public:
    explicit CKX7214_Audio(QWidget* parent);

    QComboBox* List(int line, AudioColumn column) const;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;

private:
    void FillLine(int line);
    void EnableLine(int line, bool enable);
    void OnListChanged(int line, AudioColumn column);

    CKX7214Session* m_p_main_wnd = nullptr;
};

} // namespace kx::ui
