#include "iconwin/chain_presence.h"

namespace miruteka {

void ChainPresence::setAway(AwayReason reason, bool away) {
    const unsigned bit = 1u << static_cast<unsigned>(reason);
    awayReasons_ = away ? awayReasons_ | bit : awayReasons_ & ~bit;
}

} // namespace miruteka
