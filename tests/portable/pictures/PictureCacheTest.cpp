// The cache of decoded cell pictures: found only while the file is unchanged, replaced by key,
// and bounded by its budget, least recently used first.
#include "render/PictureCache.h"

#include <gtest/gtest.h>

namespace {

CachedPicture Solid(int width, int height, uint32_t colour) {
    return {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, colour)};
}

PictureCacheKey Key(const wchar_t* path, int width = 10, int height = 10, int32_t fill = 0) {
    return {path, width, height, fill};
}

} // namespace

TEST(PictureCache, FindsAPictureOnlyForTheSameFileVersionAndKey) {
    PictureCache cache;
    FileStamp stamp{1000, 42};
    StoreCachedPicture(cache, Key(L"a.jpg"), stamp, Solid(10, 10, 0x123456));

    const CachedPicture* found = FindCachedPicture(cache, Key(L"a.jpg"), stamp);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(0x123456u, found->pixels[55]);

    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a.jpg", 10, 11), stamp));      // other size
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a.jpg", 10, 10, 255), stamp)); // other fill
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"b.jpg"), stamp));
}

TEST(PictureCache, AChangedFileDropsTheEntry) {
    PictureCache cache;
    StoreCachedPicture(cache, Key(L"a.jpg"), {1000, 42}, Solid(10, 10, 1));
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a.jpg"), {1000, 43})); // rewritten later
    // The stale entry is gone even for the old stamp, and its memory is given back.
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a.jpg"), {1000, 42}));
    EXPECT_EQ(0u, cache.bytes);

    StoreCachedPicture(cache, Key(L"a.jpg"), {1000, 42}, Solid(10, 10, 1));
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a.jpg"), {999, 42})); // other size on disk
}

TEST(PictureCache, StoringAgainReplacesTheEntry) {
    PictureCache cache;
    StoreCachedPicture(cache, Key(L"a.jpg"), {1, 1}, Solid(10, 10, 1));
    StoreCachedPicture(cache, Key(L"a.jpg"), {2, 2}, Solid(10, 10, 2));
    EXPECT_EQ(1u, cache.entries.size());
    EXPECT_EQ(400u, cache.bytes);
    const CachedPicture* found = FindCachedPicture(cache, Key(L"a.jpg"), {2, 2});
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(2u, found->pixels[0]);
}

TEST(PictureCache, BudgetDropsTheLeastRecentlyUsed) {
    PictureCache cache;
    cache.budget = 3 * 400; // three 10 x 10 pictures
    StoreCachedPicture(cache, Key(L"a"), {}, Solid(10, 10, 1));
    StoreCachedPicture(cache, Key(L"b"), {}, Solid(10, 10, 2));
    StoreCachedPicture(cache, Key(L"c"), {}, Solid(10, 10, 3));
    ASSERT_NE(nullptr, FindCachedPicture(cache, Key(L"a"), {})); // a is now the most recent
    StoreCachedPicture(cache, Key(L"d"), {}, Solid(10, 10, 4));  // b goes

    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"b"), {}));
    EXPECT_NE(nullptr, FindCachedPicture(cache, Key(L"a"), {}));
    EXPECT_NE(nullptr, FindCachedPicture(cache, Key(L"c"), {}));
    EXPECT_NE(nullptr, FindCachedPicture(cache, Key(L"d"), {}));
    EXPECT_EQ(1200u, cache.bytes);
    EXPECT_LE(cache.bytes, cache.budget);
}

TEST(PictureCache, APictureLargerThanTheBudgetIsNotKept) {
    PictureCache cache;
    cache.budget = 1000;
    StoreCachedPicture(cache, Key(L"small"), {}, Solid(10, 10, 1));
    StoreCachedPicture(cache, Key(L"huge"), {}, Solid(20, 20, 1)); // 1600 bytes
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"huge"), {}));
    EXPECT_NE(nullptr, FindCachedPicture(cache, Key(L"small"), {})); // not pushed out for nothing
}

TEST(PictureCache, ForgettingAPathDropsAllItsSizes) {
    PictureCache cache;
    StoreCachedPicture(cache, Key(L"a", 10, 10), {}, Solid(10, 10, 1));
    StoreCachedPicture(cache, Key(L"a", 5, 5), {}, Solid(5, 5, 1));
    StoreCachedPicture(cache, Key(L"b", 10, 10), {}, Solid(10, 10, 1));
    ForgetCachedPath(cache, L"a");
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a", 10, 10), {}));
    EXPECT_EQ(nullptr, FindCachedPicture(cache, Key(L"a", 5, 5), {}));
    EXPECT_NE(nullptr, FindCachedPicture(cache, Key(L"b", 10, 10), {}));
    EXPECT_EQ(400u, cache.bytes);

    ClearPictureCache(cache);
    EXPECT_TRUE(cache.entries.empty());
    EXPECT_EQ(0u, cache.bytes);
}

TEST(PictureCache, AMovedCacheStillFindsItsEntries) {
    PictureCache cache;
    StoreCachedPicture(cache, Key(L"a"), {}, Solid(10, 10, 7));
    PictureCache moved = std::move(cache);
    const CachedPicture* found = FindCachedPicture(moved, Key(L"a"), {});
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(7u, found->pixels[0]);
}
