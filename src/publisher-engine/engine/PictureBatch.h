#pragma once
// Pictures decoded on the machine's cores ahead of the painter that draws them: decoding starts
// when the batch is made, and the painter takes the pictures in order, each as soon as it is
// ready. With a window, the workers stay at most that many pictures ahead of the last one taken,
// so a long document holds no more than a page's pictures decoded at any time. Only the calling
// thread paints; the workers only decode (each picture with its own file, reader and decoder).

#include "ImportedPicture.h"

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
};

struct DecodedPicture {
    std::shared_ptr<const pictures::ImportedPicture> picture; // null when it cannot be decoded
    QString error;
};

class PictureBatch {
public:
    // Starts decoding `requests` on up to `threads` threads (0: one per core), at most `window`
    // pictures ahead of those taken (0: no limit).
    explicit PictureBatch(std::vector<PictureRequest> requests, int threads = 0, int window = 0);
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

    std::vector<PictureRequest> requests_;
    std::vector<DecodedPicture> results_;
    std::vector<char> ready_;
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
