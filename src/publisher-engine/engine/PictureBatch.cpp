#include "PictureBatch.h"

#include "PictureFile.h"

#include <algorithm>
#include <utility>

namespace lumetra::engine {

namespace {

DecodedPicture decode(const PictureRequest& request) {
    DecodedPicture picture;
    picture.picture = decodePicture(request.path, request.size, &picture.error);
    return picture;
}

} // namespace

PictureBatch::PictureBatch(std::vector<PictureRequest> requests, int threads, int window)
    : requests_(std::move(requests)), results_(requests_.size()), ready_(requests_.size(), 0),
      window_(window > 0 ? static_cast<std::size_t>(window) : requests_.size()), allowed_(window_) {
    if (threads <= 0) {
        threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    }
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

void PictureBatch::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        room_.wait(lock,
                   [this] { return stopping_ || next_ >= requests_.size() || next_ < allowed_; });
        if (stopping_ || next_ >= requests_.size()) {
            return;
        }
        const std::size_t index = next_++;
        lock.unlock();
        DecodedPicture picture = decode(requests_[index]);
        lock.lock();
        results_[index] = std::move(picture);
        ready_[index] = 1;
        decoded_.notify_all();
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
        room_.notify_all();
    }
    decoded_.wait(lock, [&] { return ready_[i] != 0; });
    DecodedPicture picture = std::exchange(results_[i], DecodedPicture{});
    if (allowed_ < i + 1 + window_) {
        allowed_ = i + 1 + window_;
        room_.notify_all();
    }
    return picture;
}

} // namespace lumetra::engine
