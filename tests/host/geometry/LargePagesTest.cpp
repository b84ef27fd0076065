// Large-page buffers: vectors that grow across the large-page size keep their contents, and
// large blocks start on a large page.
#include "host/geometry/LargePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace host::geometry {
namespace {

TEST(LargePagesTest, VectorsGrowingPastALargePageKeepTheirElements) {
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    // Elements of an odd size, so that block sizes fall on no page boundary.
    struct Element {
        std::uint32_t value;
        char pad[20];
    };
    std::vector<Element, LargePageAllocator<Element>> grown;
    for (std::uint32_t i = 0; i < 3 * kLargePage / sizeof(Element); ++i) {
        grown.push_back({i, {}});
        if (grown.capacity() * sizeof(Element) >= kLargePage) {
            EXPECT_EQ(std::uintptr_t(grown.data()) % kLargePage, 0u) << i;
        }
    }
    for (std::uint32_t i = 0; i < grown.size(); ++i) {
        ASSERT_EQ(grown[i].value, i);
    }
    // Small ones, and shrinking back below a large page, as well.
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, kLargePage / 24 - 1,
                                    kLargePage / 24, kLargePage / 24 + 1}) {
        std::vector<Element, LargePageAllocator<Element>> v(count, Element{7, {}});
        v.shrink_to_fit();
        ASSERT_EQ(v.size(), count);
        for (const Element& e : v) {
            ASSERT_EQ(e.value, 7u);
        }
    }
    std::vector<double> plain;
    ReserveLargePages(plain, kLargePage);
    EXPECT_GE(plain.capacity(), kLargePage);
}

}  // namespace
}  // namespace host::geometry
