#pragma once
// The ground every device page shares: bitmap 139 stretched over the whole page.
#include <QPainter>

#include "ui/dialog.h"

namespace kx::ui {

// Draws the bitmap stretched over the target rectangle, pixel for pixel without smoothing.
void DrawStretchedBitmap(QPainter& painter, const QRect& target, int bitmap_id);

// Base of the device pages: a child dialog with the shared page background.
class CPageDialog : public CDialog {
    Q_OBJECT
public:
    using CDialog::CDialog;

protected:
    void OnEraseBkgnd(QPainter& painter) override;
    // A page lives from its tab's click to the next one and deletes itself when its window
    // is gone.
    void PostNcDestroy() override;
};

} // namespace kx::ui
