#include "service/tsl_router.h"

#include "link/commands.h"
#include "link/session.h"
#include "platform/text.h"
#include "service/tally.h"

namespace kx::service {

void RouteTslUpdate(const DisplayMap& map, const TslUpdate& update, LabelSender& sender) {
    for (const DisplayEntry* e : map.Match(update)) {
        if (update.text) {
            const std::u16string text(platform::CutUtf16(*update.text, kUmdTextMaxUnits));
            sender.Offer({e->device_ip, e->line, LabelPart::Text}, UmdTextJob{e->line, text});
        }
        if (e->tally)
            sender.Offer({e->device_ip, e->line, LabelPart::BackColour},
                         LineValueJob{CMD_SET_UMD_BACK_COLOR, e->line,
                                      TallyColour(update.text_tally, *e->tally)});
    }
}

} // namespace kx::service
