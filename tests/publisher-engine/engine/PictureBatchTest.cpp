// Pictures decoded on worker threads ahead of the painter: order, sizes, failures, the memory
// budget, and a batch dropped before its pictures are taken.

#include "PictureBatch.h"
#include "TestImages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace lumetra::engine;
namespace images = lumetra::testimages;

namespace {

const QColor Colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta, Qt::cyan};

std::vector<PictureRequest> requests(const QTemporaryDir& dir, int damagedAt = -1) {
    std::vector<PictureRequest> list;
    for (int i = 0; i < 6; ++i) {
        const QString path = dir.filePath(QStringLiteral("foto%1.jpg").arg(i));
        if (i == damagedAt) {
            images::writeDamagedJpeg(path);
        } else {
            images::writeJpeg(path, QSize(640, 480), Colours[i]);
        }
        // Held as a job holds them (counted at their own size), but the damaged one.
        list.push_back(
            {path, QSize(64 + i, 48), i == damagedAt ? nullptr : PictureFile::open(path)});
    }
    return list;
}

// How far the centre of a decoded picture is from `colour`, on its farthest channel.
int offBy(const DecodedPicture& decoded, QColor colour) {
    const QColor centre = decoded.picture->image().pixelColor(32, 24);
    return std::max({std::abs(centre.red() - colour.red()),
                     std::abs(centre.green() - colour.green()),
                     std::abs(centre.blue() - colour.blue())});
}

} // namespace

TEST(PictureBatch, HandsOverEachPictureInOrderAtItsSize) {
    QTemporaryDir dir;
    for (const auto& [threads, window] : {std::pair{1, 0}, std::pair{2, 2}, std::pair{4, 1}}) {
        PictureBatch batch(requests(dir, 3), threads, window);
        ASSERT_EQ(batch.size(), 6);
        for (int i = 0; i < 6; ++i) {
            const DecodedPicture picture = batch.take(i);
            if (i == 3) {
                EXPECT_FALSE(picture.picture);
                EXPECT_FALSE(picture.error.isEmpty());
                continue;
            }
            ASSERT_TRUE(picture.picture) << picture.error.toStdString();
            EXPECT_EQ(picture.picture->image().size(), QSize(64 + i, 48));
            EXPECT_LT(offBy(picture, Colours[i]), 40) << i;
        }
        EXPECT_FALSE(batch.take(0).picture); // handed over once
    }
}

// No picture is decoded further ahead than the budget holds: with room for none, each one only
// when it is taken (and still decoded, though larger than the budget); with room for one, at
// most the next. Each is rewritten in black as soon as it cannot have been started yet: one
// decoded ahead anyway keeps its first colour.
TEST(PictureBatch, DecodesAheadOnlyWhatItsBudgetHolds) {
    QTemporaryDir dir;
    std::vector<PictureRequest> list = requests(dir);
    for (auto& request : list)
        request.size = QSize(64, 48); // each counted alike
    const qint64 onePicture = list[0].file->decodingBytes(list[0].size);
    const auto write = [&](int i, QColor colour) {
        if (i < 6)
            images::writeJpeg(list[i].path, QSize(640, 480), colour);
    };
    for (const auto& [budget, ahead] : {std::pair{qint64(1), 0}, std::pair{onePicture, 1}}) {
        for (int i = 0; i < 6; ++i)
            write(i, Colours[i]);
        PictureBatch batch(list, 4, 0, budget);
        for (int i = 1; i <= ahead; ++i)
            write(i, Qt::black);
        for (int i = 0; i < 6; ++i) {
            const DecodedPicture picture = batch.take(i);
            write(i + 1 + ahead, Qt::black);
            ASSERT_TRUE(picture.picture) << picture.error.toStdString();
            EXPECT_LT(offBy(picture, i == 0 ? Colours[0] : QColor(Qt::black)), 40)
                << "picture " << i << " with room for " << ahead;
        }
    }
}

TEST(PictureBatch, ADroppedBatchStopsItsWorkers) {
    QTemporaryDir dir;
    const auto list = requests(dir);
    // Dropped before anything is taken: its destructor must stop and join the workers. A fault
    // shows as a hang (the test's timeout) or as a use after free under the sanitizers.
    { PictureBatch untouched(list, 2, 1); }
    {
        PictureBatch half(list, 2, 2);
        EXPECT_TRUE(half.take(0).picture);
        EXPECT_TRUE(half.take(1).picture);
    }
    PictureBatch empty({}, 2, 2);
    EXPECT_EQ(empty.size(), 0);
}
