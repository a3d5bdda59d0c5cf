#pragma once
// What the selected device was last known to hold, and how many settings of the record have
// moved away from it: the changes that Apply would still have to carry in Manual Apply.
#include <cstdint>
#include <vector>

#include "model/session_state.h"

namespace kx {

// The device acknowledged `command` with `payload`, sent while the panel held `now`: a
// read-all or a whole-configuration write makes `applied` what the panel holds, a single
// setting, UMD text or name changes only that part of it.
void NoteAcknowledged(SessionState& applied, const SessionState& now, std::uint8_t command,
                      const std::vector<std::uint8_t>& payload);

// Settings (each line's setting, each UMD text and the name counting once) that the
// whole-configuration write of `now` would change on a device that holds `applied`.
int CountUnappliedChanges(const SessionState& now, const SessionState& applied);

} // namespace kx
