#include "core/play/Play.h"

namespace velmora {

int betPrize(Play play, int bet, int drawCode)
{
    if (play == Play::Direct)
        return ((bet % 1000) + 1000) % 1000 == ((drawCode % 1000) + 1000) % 1000 ? kDirectPrize : 0;
    if (groupOf(bet) != groupOf(drawCode))
        return 0;
    switch (groupKindOf(drawCode)) {
    case GroupKind::Six:
        return kGroup6Prize;
    case GroupKind::Three:
        return kGroup3Prize;
    case GroupKind::Triple:
        break;
    }
    return 0;
}

} // namespace velmora
