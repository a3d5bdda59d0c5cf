// Feeds a fuzz entry point with generated and mutated inputs, so that the entry points run
// under the sanitizers with the ordinary compiler. Usage: NAME [--runs N] [--seed S]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Optional seeds from the entry point: well-formed inputs that mutation starts from.
extern "C" __attribute__((weak)) void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds);

namespace {

using Input = std::vector<std::uint8_t>;

constexpr std::size_t kMaxLen = 1400;
// Bytes that matter to the parsers: frame magic, trailer, command codes, separators.
constexpr std::uint8_t kInteresting[] = {0x00, 0x01, 0x02, 0x20, 0x2D, 0x3D, 0x0A, 0x0D,
                                         0x5B, 0x5D, 0x22, 0x5C, 0x7F, 0x80, 0x90, 0xA3,
                                         0xA5, 0x6C, 0xAE, 0xEF, 0xBB, 0xBF, 0xFE, 0xFF};

Input Mutate(const Input& base, const std::vector<Input>& corpus, std::mt19937& rng) {
    Input in = base;
    std::uniform_int_distribution<int> op(0, 6);
    const int steps = 1 + static_cast<int>(rng() % 8);
    for (int s = 0; s < steps; ++s) {
        const std::size_t pos = in.empty() ? 0 : rng() % in.size();
        switch (op(rng)) {
        case 0:
            if (!in.empty())
                in[pos] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            break;
        case 1:
            if (!in.empty())
                in[pos] = kInteresting[rng() % sizeof kInteresting];
            break;
        case 2:
            if (in.size() < kMaxLen)
                in.insert(in.begin() + static_cast<long>(pos), static_cast<std::uint8_t>(rng()));
            break;
        case 3:
            if (!in.empty())
                in.erase(in.begin() + static_cast<long>(pos));
            break;
        case 4:
            in.resize(rng() % (in.size() + 2));
            break;
        case 5: {
            const Input& other = corpus[rng() % corpus.size()];
            if (!other.empty()) {
                std::size_t from = rng() % other.size();
                std::size_t n = std::min<std::size_t>(rng() % 64, other.size() - from);
                in.insert(in.begin() + static_cast<long>(pos),
                          other.begin() + static_cast<long>(from),
                          other.begin() + static_cast<long>(from + n));
            }
            break;
        }
        default:
            if (!in.empty())
                in[pos] = static_cast<std::uint8_t>(rng());
        }
    }
    if (in.size() > kMaxLen)
        in.resize(kMaxLen);
    return in;
}

Input Random(std::mt19937& rng) {
    Input in(rng() % 300);
    for (auto& b : in)
        b = rng() % 4 == 0 ? kInteresting[rng() % sizeof kInteresting]
                           : static_cast<std::uint8_t>(rng());
    return in;
}

} // namespace

int main(int argc, char** argv) {
    long runs = 200000;
    unsigned seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::atol(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0)
            seed = static_cast<unsigned>(std::atol(argv[i + 1]));
    }
    std::vector<Input> corpus = {{}};
    if (KxFuzzSeeds != nullptr)
        KxFuzzSeeds(&corpus);
    std::mt19937 rng(seed);
    for (long r = 0; r < runs; ++r) {
        Input in =
            rng() % 4 == 0 ? Random(rng) : Mutate(corpus[rng() % corpus.size()], corpus, rng);
        LLVMFuzzerTestOneInput(in.data(), in.size());
        // Keep some mutants as new starting points, bounded so memory stays flat.
        if (rng() % 64 == 0) {
            if (corpus.size() < 512)
                corpus.push_back(std::move(in));
            else
                corpus[1 + rng() % (corpus.size() - 1)] = std::move(in);
        }
    }
    std::printf("%ld inputs, no failure\n", runs);
    return 0;
}
