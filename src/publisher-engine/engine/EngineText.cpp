#include "EngineText.h"

#include "EngineErrors.h"
#include "EngineShape.h"

namespace lumetra::engine {

std::int32_t EngineColor::RGB() const {
    return shape_->fillRgb();
}

void EngineColor::SetRGB(std::int32_t rgb) {
    shape_->setFillRgb(rgb);
}

std::shared_ptr<Publisher::ColorFormat> EngineFill::ForeColor() {
    shape_->checkAlive();
    return std::make_shared<EngineColor>(shape_);
}

QString EngineFont::Name() const {
    return shape_->editableText().style().family;
}

void EngineFont::SetName(const QString& name) {
    shape_->editableText().setFamily(name);
}

bool EngineFont::Bold() const {
    return shape_->editableText().style().bold;
}

void EngineFont::SetBold(bool bold) {
    shape_->editableText().setBold(bold);
}

bool EngineFont::Italic() const {
    return shape_->editableText().style().italic;
}

void EngineFont::SetItalic(bool italic) {
    shape_->editableText().setItalic(italic);
}

double EngineFont::Size() const {
    return shape_->editableText().fontSize();
}

int EngineParagraphFormat::Alignment() const {
    return shape_->editableText().alignment();
}

void EngineParagraphFormat::SetAlignment(int alignment) {
    TextBox& text = shape_->editableText();
    if (alignment < Publisher::pbParagraphAlignmentLeft ||
        alignment > Publisher::pbParagraphAlignmentRight) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Allineamento non valido: %1").arg(alignment));
    }
    text.setAlignment(alignment);
}

QString EngineTextRange::Text() const {
    return shape_->editableText().text();
}

void EngineTextRange::SetText(const QString& text) {
    shape_->editableText().setText(text);
}

std::shared_ptr<Publisher::ParagraphFormat> EngineTextRange::ParagraphFormat() {
    shape_->editableText();
    return std::make_shared<EngineParagraphFormat>(shape_);
}

std::shared_ptr<Publisher::Font> EngineTextRange::Font() {
    shape_->editableText();
    return std::make_shared<EngineFont>(shape_);
}

int EngineTextFrame::AutoFitText() const {
    return shape_->editableText().autoFit();
}

void EngineTextFrame::SetAutoFitText(int mode) {
    TextBox& text = shape_->editableText();
    if (mode < Publisher::pbTextAutoFitNone || mode > Publisher::pbTextAutoFitBestFit) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Adattamento testo non valido: %1").arg(mode));
    }
    text.setAutoFit(mode);
}

bool EngineTextFrame::Overflowing() const {
    return shape_->editableText().overflowing();
}

std::shared_ptr<Publisher::TextRange> EngineTextFrame::TextRange() {
    shape_->editableText();
    return std::make_shared<EngineTextRange>(shape_);
}

} // namespace lumetra::engine
