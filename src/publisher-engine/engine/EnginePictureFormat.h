#pragma once
// The picture format of a picture shape: its fit, its own size, the resolution it prints at and
// the damage a reading of the whole file finds. Forwards to the shape it came from.

#include "PublisherApi.h"

#include <memory>

namespace lumetra::engine {

class EngineShape;

class EnginePictureFormat final : public Publisher::PictureFormat {
public:
    explicit EnginePictureFormat(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    int Fit() const override;
    void SetFit(int fit) override;
    double OriginalWidth() const override;
    double OriginalHeight() const override;
    double HorizontalResolution() const override;
    double VerticalResolution() const override;
    QString Damage() override;

private:
    std::shared_ptr<EngineShape> shape_;
};

} // namespace lumetra::engine
