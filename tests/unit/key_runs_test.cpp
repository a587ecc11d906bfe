#include "core/key_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "region_data.h"

namespace brimel {
namespace {

// Images are written as rows of text: 'K' is a key pixel, anything else opaque.
struct TextImage {
    std::vector<std::string> rows;
    int32_t width() const { return rows.empty() ? 0 : static_cast<int32_t>(rows[0].size()); }
    int32_t height() const { return static_cast<int32_t>(rows.size()); }
    bool IsKey(int32_t x, int32_t y) const { return rows.at(y).at(x) == 'K'; }
};

std::vector<RunBatch> Collect(int32_t w, int32_t h, const KeyPixelTest& isKey) {
    std::vector<RunBatch> batches;
    const bool done = CollectKeyRuns(w, h, isKey, [&](const RunBatch& b) {
        batches.push_back(b);
        return true;
    });
    EXPECT_TRUE(done);
    return batches;
}

std::vector<Rect> AllRects(const std::vector<RunBatch>& batches) {
    std::vector<Rect> all;
    for (const RunBatch& b : batches) all.insert(all.end(), b.rects.begin(), b.rects.end());
    return all;
}

template <typename Rects>
Rect UnionOf(const Rects& rects) {
    Rect u = kEmptyRunBounds;
    for (const Rect& r : rects) {
        u.left = std::min(u.left, r.left);
        u.top = std::min(u.top, r.top);
        u.right = std::max(u.right, r.right);
        u.bottom = std::max(u.bottom, r.bottom);
    }
    return u;
}

template <typename Rects>
std::string Show(const Rects& rects) {
    std::string s;
    for (const Rect& r : rects) {
        s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
             std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
    }
    return s;
}

struct SmallImageCase {
    const char* name;
    TextImage image;
    std::vector<Rect> runs;
};

TEST(KeyRuns, SmallImagesGiveOneBatchOfTheExpectedRuns) {
    const SmallImageCase cases[] = {
        {"no key pixel", {{"ooo", "ooo"}}, {{0, 0, 3, 1}, {0, 1, 3, 2}}},
        {"only key pixels", {{"KKK", "KKK"}}, {}},
        {"run ends at right edge", {{"KKooo"}}, {{2, 0, 5, 1}}},
        {"key pixel splits a row", {{"ooKoo"}}, {{0, 0, 2, 1}, {3, 0, 5, 1}}},
        {"key at both ends", {{"KooK"}}, {{1, 0, 3, 1}}},
        {"two adjacent keys", {{"oKKo"}}, {{0, 0, 1, 1}, {3, 0, 4, 1}}},
        {"alternating", {{"oKoKo"}}, {{0, 0, 1, 1}, {2, 0, 3, 1}, {4, 0, 5, 1}}},
        {"single opaque pixel", {{"o"}}, {{0, 0, 1, 1}}},
        {"single key pixel", {{"K"}}, {}},
        {"rows scanned top to bottom", {{"KoK", "ooo", "KKK", "oKK"}},
         {{1, 0, 2, 1}, {0, 1, 3, 2}, {0, 3, 1, 4}}},
    };
    for (const SmallImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto batches = Collect(c.image.width(), c.image.height(),
                                     [&](int32_t x, int32_t y) { return c.image.IsKey(x, y); });
        ASSERT_EQ(batches.size(), 1u);
        const RunBatch& b = batches[0];
        EXPECT_TRUE(b.final);
        EXPECT_EQ(Show(b.rects), Show(c.runs));
        EXPECT_EQ(b.bounds, UnionOf(c.runs));
        EXPECT_EQ(b.capacity, 100);
        EXPECT_EQ(b.BufferBytes(), 1632u);
    }
}

TEST(KeyRuns, EmptyOrNegativeSizeReadsNothingAndFlushesOneEmptyBatch) {
    const struct { int32_t w, h; } sizes[] = {{0, 5}, {5, 0}, {0, 0}, {-3, 4}, {4, -3}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        int reads = 0;
        const auto batches = Collect(s.w, s.h, [&](int32_t, int32_t) {
            ++reads;
            return false;
        });
        EXPECT_EQ(reads, 0);
        ASSERT_EQ(batches.size(), 1u);
        EXPECT_TRUE(batches[0].final);
        EXPECT_TRUE(batches[0].rects.empty());
        EXPECT_EQ(batches[0].bounds, kEmptyRunBounds);
    }
}

TEST(KeyRuns, EveryPixelIsReadExactlyOnceAndNeverOutsideTheImage) {
    const TextImage images[] = {
        {{"oooo", "oooo"}}, {{"KKKK", "KKKK"}}, {{"oKoK", "KoKo"}},
        {{"KooK", "oKKo", "ooKK"}}, {{"o"}}, {{"K"}},
    };
    for (const TextImage& img : images) {
        SCOPED_TRACE(img.rows[0]);
        std::vector<int> reads(static_cast<size_t>(img.width() * img.height()), 0);
        Collect(img.width(), img.height(), [&](int32_t x, int32_t y) {
            EXPECT_TRUE(x >= 0 && x < img.width() && y >= 0 && y < img.height())
                << "read at " << x << "," << y;
            if (x >= 0 && x < img.width() && y >= 0 && y < img.height()) {
                ++reads[static_cast<size_t>(y * img.width() + x)];
            }
            return img.IsKey(x, y);
        });
        for (size_t i = 0; i < reads.size(); ++i) EXPECT_EQ(reads[i], 1) << "pixel " << i;
    }
}

// One row whose even pixels are opaque and odd pixels are key: `runs` runs.
std::vector<RunBatch> CollectRuns(int32_t runs) {
    return Collect(2 * runs - 1, 1, [](int32_t x, int32_t) { return x % 2 == 1; });
}

TEST(KeyRuns, ExactlyTwoThousandRunsFlushOnceThenAnEmptyFinalBatch) {
    const auto batches = CollectRuns(2000);
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_FALSE(batches[0].final);
    EXPECT_EQ(batches[0].rects.size(), 2000u);
    EXPECT_EQ(batches[0].bounds, (Rect{0, 0, 3999, 1}));
    EXPECT_EQ(batches[0].capacity, 2000);
    EXPECT_EQ(batches[0].BufferBytes(), 32032u);

    EXPECT_TRUE(batches[1].final);
    EXPECT_TRUE(batches[1].rects.empty());
    EXPECT_EQ(batches[1].bounds, kEmptyRunBounds);
    EXPECT_EQ(batches[1].capacity, 2000) << "the buffer never shrinks during a scan";
}

TEST(KeyRuns, TwoThousandAndOneRunsGiveAFlushAndAFinalBatchOfOne) {
    const auto batches = CollectRuns(2001);
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].rects.size(), 2000u);
    ASSERT_EQ(batches[1].rects.size(), 1u);
    EXPECT_TRUE(batches[1].final);
    EXPECT_EQ(batches[1].rects[0], (Rect{4000, 0, 4001, 1}));
    EXPECT_EQ(batches[1].bounds, (Rect{4000, 0, 4001, 1}));
    EXPECT_EQ(UnionOf(AllRects(batches)), (Rect{0, 0, 4001, 1}));
}

TEST(KeyRuns, BatchesTogetherCoverExactlyTheOpaquePixels) {
    // 2001 rows of a pattern with key pixels in varying places: more than one
    // batch, and a last batch that is neither full nor empty.
    const int32_t w = 7, h = 2001;
    auto isKey = [](int32_t x, int32_t y) { return (x * 3 + y) % 5 == 0; };
    const auto batches = Collect(w, h, isKey);
    ASSERT_GE(batches.size(), 2u);
    std::vector<int> cover(static_cast<size_t>(w * h), 0);
    for (const RunBatch& b : batches) {
        EXPECT_EQ(b.bounds, UnionOf(b.rects));
        for (const Rect& r : b.rects) {
            ASSERT_EQ(r.bottom, r.top + 1);
            for (int32_t x = r.left; x < r.right; ++x) ++cover[static_cast<size_t>(r.top * w + x)];
        }
    }
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            ASSERT_EQ(cover[static_cast<size_t>(y * w + x)], isKey(x, y) ? 0 : 1)
                << "pixel " << x << "," << y;
        }
    }
}

TEST(KeyRuns, CapacityGrowsInStepsOfOneHundredUpToTheBatchLimit) {
    const struct { int32_t runs; std::vector<size_t> counts; std::vector<int32_t> capacities; } cases[] = {
        {1, {1}, {100}},
        {100, {100}, {100}},
        {101, {101}, {200}},
        {250, {250}, {300}},
        {1999, {1999}, {2000}},
        {4500, {2000, 2000, 500}, {2000, 2000, 2000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.runs);
        const auto batches = CollectRuns(c.runs);
        ASSERT_EQ(batches.size(), c.counts.size());
        for (size_t i = 0; i < batches.size(); ++i) {
            EXPECT_EQ(batches[i].rects.size(), c.counts[i]) << "batch " << i;
            EXPECT_EQ(batches[i].capacity, c.capacities[i]) << "batch " << i;
            EXPECT_EQ(batches[i].final, i + 1 == batches.size());
        }
    }
}

TEST(KeyRuns, SinkCanStopTheScan) {
    int batches = 0;
    int reads = 0;
    const bool done = CollectKeyRuns(
        8001, 1,
        [&](int32_t x, int32_t) {
            ++reads;
            return x % 2 == 1;
        },
        [&](const RunBatch&) {
            ++batches;
            return false;
        });
    EXPECT_FALSE(done);
    EXPECT_EQ(batches, 1) << "no batch, not even the final one, after a refusal";
    EXPECT_EQ(reads, 4000) << "the scan ends at the run that filled the batch";
}

TEST(KeyRuns, CollectorRefusesRunsAfterTheSinkStopped) {
    KeyRunCollector collector([](const RunBatch&) { return false; });
    for (int32_t i = 0; i < kKeyRunBatchLimit - 1; ++i) {
        ASSERT_TRUE(collector.Add(Rect{i, 0, i + 1, 1}));
    }
    EXPECT_FALSE(collector.Add(Rect{0, 1, 1, 2}));
    EXPECT_EQ(collector.pending(), 0u);
    EXPECT_FALSE(collector.Add(Rect{0, 2, 1, 3}));
    EXPECT_EQ(collector.pending(), 0u);
    EXPECT_FALSE(collector.Finish());
}

TEST(KeyRuns, CollectorBoundsAreTheUnionWhateverTheOrder) {
    // The scan adds runs in order, but the collector does not rely on it.
    const std::vector<Rect> runs = {{4, 5, 9, 6}, {1, 2, 3, 3}, {6, 9, 7, 10}, {-2, 7, 0, 8}};
    std::vector<RunBatch> batches;
    KeyRunCollector collector([&](const RunBatch& b) {
        batches.push_back(b);
        return true;
    });
    for (const Rect& r : runs) ASSERT_TRUE(collector.Add(r));
    EXPECT_EQ(collector.pending(), runs.size());
    ASSERT_TRUE(collector.Finish());
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].bounds, (Rect{-2, 2, 9, 10}));
    EXPECT_EQ(collector.pending(), 0u);
}

TEST(KeyRuns, RegionDataHasTheRgnDataLayout) {
    RunBatch batch;
    batch.rects = {{2, 0, 5, 1}, {-1, 1, 7, 2}};
    batch.bounds = {-1, 0, 7, 2};
    const Array<uint8_t> data = Serialized(batch);
    ASSERT_EQ(data.size(), 1632u);
    const struct { size_t offset; uint32_t value; } fields[] = {
        {0, 32}, {4, 1}, {8, 2}, {12, 0},                          // header
        {16, 0xFFFFFFFFu}, {20, 0}, {24, 7}, {28, 2},              // bounds
        {32, 2}, {36, 0}, {40, 5}, {44, 1},                        // first run
        {48, 0xFFFFFFFFu}, {52, 1}, {56, 7}, {60, 2},              // second run
    };
    for (const auto& f : fields) EXPECT_EQ(Le32(data, f.offset), f.value) << "offset " << f.offset;
    for (size_t i = 64; i < data.size(); ++i) ASSERT_EQ(data[i], 0) << "unused slot byte " << i;
}

TEST(KeyRuns, EmptyBatchRegionDataCarriesTheResetBounds) {
    RunBatch batch;
    batch.capacity = 2000;
    const Array<uint8_t> data = Serialized(batch);
    ASSERT_EQ(data.size(), 32032u);
    EXPECT_EQ(Le32(data, 8), 0u);
    EXPECT_EQ(Le32(data, 16), 0x7FFFFFFFu);
    EXPECT_EQ(Le32(data, 20), 0x7FFFFFFFu);
    EXPECT_EQ(Le32(data, 24), 0u);
    EXPECT_EQ(Le32(data, 28), 0u);
}

TEST(KeyRuns, RegionBufferSizeIsExactForEveryCapacity) {
    const struct { int32_t capacity; uint64_t bytes; } table[] = {
        {100, 1632},
        {2000, 32032},
        {0, 32},
        {-1, 32},
        {INT32_MIN, 32},
        {INT32_MAX - 1, (uint64_t{INT32_MAX} + 1) * 16},
        {INT32_MAX, (uint64_t{INT32_MAX} + 2) * 16},
    };
    for (const auto& row : table)
        EXPECT_EQ(RegionBufferBytes(row.capacity), row.bytes) << "capacity " << row.capacity;
}

TEST(KeyRuns, HandMadeBatchesGetABufferThatHoldsThemOrNone) {
    const Rect run = {1, 2, 3, 4};
    const struct { const char* name; int32_t capacity; size_t count; size_t bytes; } table[] = {
        {"more runs than capacity", 2, 5, 32 + 5 * 16},
        {"negative capacity", -7, 1, 32 + 16},
        {"negative capacity, no runs", INT32_MIN, 0, 32},
        {"capacity at the limit", kRegionRectLimit, 0, (size_t{kRegionRectLimit} + 2) * 16},
        {"capacity past the limit", kRegionRectLimit + 1, 0, 0},
        {"largest capacity", INT32_MAX, 1, 0},
    };
    for (const auto& row : table) {
        RunBatch batch;
        batch.capacity = row.capacity;
        batch.rects = Array<Rect>(row.count, run);
        if (row.bytes > (size_t{1} << 20)) {  // too large to build in a test
            EXPECT_EQ(batch.BufferBytes(), row.bytes) << row.name;
            continue;
        }
        const Array<uint8_t> data = Serialized(batch);
        ASSERT_EQ(data.size(), row.bytes) << row.name;
        if (data.empty()) continue;
        EXPECT_EQ(Le32(data, 8), row.count) << row.name;
        for (size_t i = 0; i < row.count; ++i)
            EXPECT_EQ(Le32(data, 32 + i * 16 + 12), 4u) << row.name << " run " << i;
    }
}

}  // namespace
}  // namespace brimel
