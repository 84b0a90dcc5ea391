#include "PictureBatch.h"

#include "PictureFile.h"

#include <algorithm>
#include <utility>

namespace lumetra::engine {

namespace {

DecodedPicture decode(const PictureRequest& request) {
    DecodedPicture picture;
    picture.picture = request.file ? request.file->decode(request.size, &picture.error)
                                   : decodePicture(request.path, request.size, &picture.error);
    return picture;
}

// A picture given by its path alone is counted at the most a picture may take.
qint64 estimate(const PictureRequest& request) {
    if (request.file) {
        return request.file->decodingBytes(request.size);
    }
    PictureInfo largest;
    largest.size = request.size;
    largest.workBytes = pictures::MaxWorkBytes;
    return pictures::decodingBytes(largest, request.size);
}

qint64 heldBy(const DecodedPicture& picture) {
    return picture.picture ? picture.picture->image().sizeInBytes() : 0;
}

} // namespace

PictureBatch::PictureBatch(std::vector<PictureRequest> requests, int threads, int window,
                           qint64 budget)
    : requests_(std::move(requests)), results_(requests_.size()), ready_(requests_.size(), 0),
      bytes_(requests_.size(), 0), budget_(budget),
      window_(window > 0 ? static_cast<std::size_t>(window) : requests_.size()), allowed_(window_) {
    for (std::size_t i = 0; i < requests_.size(); ++i) {
        bytes_[i] = estimate(requests_[i]);
    }
    if (threads <= 0) {
        threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    }
    threads = std::min(threads, MaxDecodingThreads);
    const int count = std::min(threads, static_cast<int>(requests_.size()));
    workers_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        try {
            workers_.emplace_back([this] { work(); });
        } catch (const std::exception&) {
            break; // fewer threads, or none: take() then decodes on the calling thread
        }
    }
}

PictureBatch::~PictureBatch() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    room_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

// Within the window, and within the budget or needed by the painter to go on. A picture larger
// than the budget waits until the painter needs it, even when nothing else is held: the picture
// being drawn is held too.
bool PictureBatch::mayStart() const {
    return next_ < allowed_ && (next_ <= waitedFor_ || held_ + bytes_[next_] <= budget_);
}

void PictureBatch::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        room_.wait(lock, [this] { return stopping_ || next_ >= requests_.size() || mayStart(); });
        if (stopping_ || next_ >= requests_.size()) {
            return;
        }
        const std::size_t index = next_++;
        held_ += bytes_[index];
        lock.unlock();
        DecodedPicture picture = decode(requests_[index]);
        const qint64 result = heldBy(picture);
        lock.lock();
        held_ += result - bytes_[index];
        bytes_[index] = result;
        results_[index] = std::move(picture);
        ready_[index] = 1;
        decoded_.notify_all();
        room_.notify_all(); // the decoding's work memory is free again
    }
}

DecodedPicture PictureBatch::take(int index) {
    if (index < 0 || index >= size()) {
        return {};
    }
    const auto i = static_cast<std::size_t>(index);
    if (workers_.empty()) {
        if (ready_[i] != 0) {
            return {};
        }
        ready_[i] = 1;
        return decode(requests_[i]);
    }
    std::unique_lock lock(mutex_);
    if (allowed_ <= i) {
        allowed_ = i + 1; // asked for beyond the window: let the workers reach it
    }
    waitedFor_ = std::max(waitedFor_, i);
    room_.notify_all();
    decoded_.wait(lock, [&] { return ready_[i] != 0; });
    DecodedPicture picture = std::exchange(results_[i], DecodedPicture{});
    held_ -= std::exchange(bytes_[i], 0);
    if (allowed_ < i + 1 + window_) {
        allowed_ = i + 1 + window_;
        room_.notify_all();
    }
    return picture;
}

} // namespace lumetra::engine
