// Pictures decoded on worker threads ahead of the painter: order, sizes, failures, and a batch
// dropped before its pictures are taken.

#include "PictureBatch.h"
#include "TestImages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
            const QColor centre = picture.picture->image().pixelColor(32, 24);
            EXPECT_LT(std::abs(centre.red() - Colours[i].red()), 40) << i;
            EXPECT_LT(std::abs(centre.green() - Colours[i].green()), 40) << i;
            EXPECT_LT(std::abs(centre.blue() - Colours[i].blue()), 40) << i;
        }
        EXPECT_FALSE(batch.take(0).picture); // handed over once
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
