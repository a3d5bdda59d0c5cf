#pragma once
// The page a tab opens until its own page exists: the page ground at the page's size.
#include "ui/page_background.h"

namespace kx::ui {

class CEmptyPage : public CPageDialog {
    Q_OBJECT
public:
    CEmptyPage(int template_id, QWidget* parent);
};

} // namespace kx::ui
