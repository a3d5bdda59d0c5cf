#pragma once
// The ground every device page shares: bitmap 139 stretched over the whole page.
#include <QPainter>

#include "ui/dialog.h"

namespace kx::ui {

// Draws the bitmap stretched over the target rectangle, pixel for pixel without smoothing.
void DrawStretchedBitmap(QPainter& painter, const QRect& target, int bitmap_id);

// Base of the device pages: a child dialog with the shared page background. `log_name` names
// the page in its diagnostic lines ("kx7214 <name>  esc  ", "kx7214 <name> PostNcDestroy ").
class CPageDialog : public CDialog {
    Q_OBJECT
public:
    CPageDialog(const res::DialogTemplate& dialog_template, const char* log_name, QWidget* parent);

    // Escape never reaches the container or the main window from a page: it would end the
    // whole program.
    bool PreTranslateMessage(QKeyEvent* key) override;

protected:
    void OnEraseBkgnd(QPainter& painter) override;
    // A page lives from its tab's click to the next one and deletes itself when its window
    // is gone.
    void PostNcDestroy() override;
    // Puts the page's group box where every page has it and returns it.
    QWidget* PlaceGroupBox(int id);

private:
    const char* m_log_name;
};

} // namespace kx::ui
