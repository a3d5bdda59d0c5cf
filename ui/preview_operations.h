#pragma once
// What the Scale page runs after it has written a new border or layout value into the
// record: in Auto Apply the setting is sent to the selected device, and the preview follows
// the record whether or not the device acknowledged.
#include "link/session.h"

namespace kx::ui {

void OnBorderColorChanged(CKX7214Session& main);
void OnBorderEnableChanged(CKX7214Session& main);
void OnOutputLayoutChanged(CKX7214Session& main);

} // namespace kx::ui
