#pragma once
// The small objects reached through a shape: its fill and colour, its text frame, the frame's
// text range, paragraph format and font. Each one forwards to the shape it came from.

#include "PublisherApi.h"

#include <memory>

namespace lumetra::engine {

class EngineShape;

class EngineColor final : public Publisher::ColorFormat {
public:
    explicit EngineColor(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    std::int32_t RGB() const override;
    void SetRGB(std::int32_t rgb) override;

private:
    std::shared_ptr<EngineShape> shape_;
};

class EngineFill final : public Publisher::FillFormat {
public:
    explicit EngineFill(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    std::shared_ptr<Publisher::ColorFormat> ForeColor() override;

private:
    std::shared_ptr<EngineShape> shape_;
};

class EngineFont final : public Publisher::Font {
public:
    explicit EngineFont(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    QString Name() const override;
    void SetName(const QString& name) override;
    bool Bold() const override;
    void SetBold(bool bold) override;
    bool Italic() const override;
    void SetItalic(bool italic) override;
    double Size() const override;

private:
    std::shared_ptr<EngineShape> shape_;
};

class EngineParagraphFormat final : public Publisher::ParagraphFormat {
public:
    explicit EngineParagraphFormat(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    int Alignment() const override;
    void SetAlignment(int alignment) override;

private:
    std::shared_ptr<EngineShape> shape_;
};

class EngineTextRange final : public Publisher::TextRange {
public:
    explicit EngineTextRange(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    QString Text() const override;
    void SetText(const QString& text) override;
    std::shared_ptr<Publisher::ParagraphFormat> ParagraphFormat() override;
    std::shared_ptr<Publisher::Font> Font() override;

private:
    std::shared_ptr<EngineShape> shape_;
};

class EngineTextFrame final : public Publisher::TextFrame {
public:
    explicit EngineTextFrame(std::shared_ptr<EngineShape> shape) : shape_(std::move(shape)) {}
    int AutoFitText() const override;
    void SetAutoFitText(int mode) override;
    bool Overflowing() const override;
    std::shared_ptr<Publisher::TextRange> TextRange() override;

private:
    std::shared_ptr<EngineShape> shape_;
};

} // namespace lumetra::engine
