#pragma once
// The rate the other end set on a terminal, in bits a second (-1 when it
// cannot be read). Linux codes the standard rates and keeps any other rate
// apart; the numeric one is read here, in a file of its own because the
// kernel's terminal header clashes with the C library's.

namespace sim {

int lineRateOf(int fd);

} // namespace sim
