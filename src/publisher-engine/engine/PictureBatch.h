#pragma once
// Pictures decoded on a few cores ahead of the painter that draws them: decoding starts when the
// batch is made, and the painter takes the pictures in order, each as soon as it is ready. The
// workers stay ahead of the last picture taken by at most a window of pictures and, whatever
// the window, by at most a budget of memory: the pictures being decoded (at the peak their
// decoding takes) and those decoded and not yet taken never add up to more than the budget,
// except for the one picture the painter waits for. Taken in order, a picture larger than the
// budget is decoded alone: with the picture being drawn, a batch holds at most the budget and
// one picture (MaxDecodedPixels), or one picture's decoding (about 300 MB), on any number of
// cores. Only the calling thread
// paints; the workers only decode (each picture with its own file, reader and decoder).

#include "ImportedPicture.h"
#include "PictureFile.h"

#include <QSize>
#include <QString>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace lumetra::engine {

struct PictureRequest {
    QString path;
    QSize size; // device pixels the picture is drawn at, as decodePicture takes it
    // The file held since the picture was added; when null, `path` is opened.
    std::shared_ptr<const PictureFile> file{};
};

// Memory the pictures decoded ahead may take, and the most threads that decode them.
inline constexpr qint64 DefaultDecodingBudget = 128ll * 1024 * 1024;
inline constexpr int MaxDecodingThreads = 4;

struct DecodedPicture {
    std::shared_ptr<const pictures::ImportedPicture> picture; // null when it cannot be decoded
    QString error;
};

class PictureBatch {
public:
    // Starts decoding `requests` on up to `threads` threads (0: one per core, at most
    // MaxDecodingThreads), at most `window` pictures (0: no limit) and `budget` bytes ahead of
    // those taken.
    explicit PictureBatch(std::vector<PictureRequest> requests, int threads = 0, int window = 0,
                          qint64 budget = DefaultDecodingBudget);
    // Stops handing out pictures, waits for the ones being decoded and drops what was not taken.
    ~PictureBatch();

    PictureBatch(const PictureBatch&) = delete;
    PictureBatch& operator=(const PictureBatch&) = delete;

    int size() const { return static_cast<int>(requests_.size()); }
    // Waits until picture `index` is decoded and hands it over (once: a second call gives a
    // null picture).
    DecodedPicture take(int index);

private:
    void work();
    bool mayStart() const;

    std::vector<PictureRequest> requests_;
    std::vector<DecodedPicture> results_;
    std::vector<char> ready_;
    std::vector<qint64> bytes_; // what each picture holds now: its decoding's peak, or its result
    qint64 budget_;
    qint64 held_ = 0;           // bytes of the pictures started and not taken
    std::size_t waitedFor_ = 0; // the painter waits for this picture (or one after it)
    std::size_t window_;
    std::size_t next_ = 0;    // the next picture a worker starts
    std::size_t allowed_ = 0; // workers start pictures below this index
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable decoded_; // a picture is ready
    std::condition_variable room_;    // the window moved on, or the batch is stopping
    std::vector<std::thread> workers_;
};

} // namespace lumetra::engine
