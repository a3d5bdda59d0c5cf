#pragma once
// The Status page: reads the whole configuration when it opens, warns when the device is not
// under PC control, shows the device name (editable), the firmware version and the output
// status, and recomputes the preview.
#include <QString>
#include <cstdint>
#include <string>

#include "link/session.h"
#include "ui/page_background.h"

class QLineEdit;

namespace kx::ui {

// What the name field shows for a device name: names that begin with the model word show
// as the product name.
QString DisplayName(const std::u16string& device_name);
// "Ver a.b.c.d" from the two firmware bytes.
QString VersionText(const std::uint8_t firmware[2]);
// The output status for an output format value; unknown formats have no signal.
QString OutputStatusText(std::uint8_t output_format);

inline constexpr int kDeviceNameTypingLimit = 16;

class CKX7214_Status : public CPageDialog {
    Q_OBJECT
public:
    explicit CKX7214_Status(QWidget* parent);

    bool PreTranslateMessage(QKeyEvent* key) override;

    // Set while the name field has had the focus since the last background click; one value
    // for the whole run, whichever page object is open.
    static std::int32_t m_name_edit_focus;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;
    void OnLButtonDown(QMouseEvent* event) override;

private:
    QLineEdit* NameEdit() const;
    void CommitName(bool with_log_line);

    CKX7214Session* m_p_main_wnd = nullptr;
    // The text the field held when the name was last stored (or when the page opened).
    QString m_committed_text;
};

} // namespace kx::ui
