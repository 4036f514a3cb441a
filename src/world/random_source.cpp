#include "world/random_source.h"

#include <cstdint>
#include <random>

namespace {

// The first output of an mt19937 left at its default seed (5489).
constexpr std::uint32_t RANDOM_SEED = 3499211612u;
constexpr double TWO_POW_32 = 4294967296.0;

} // namespace

double random01()
{
    static std::mt19937 engine(RANDOM_SEED);
    // u / 2^32 at double precision: never 1.0, unlike a float distribution.
    return static_cast<double>(engine()) / TWO_POW_32;
}
