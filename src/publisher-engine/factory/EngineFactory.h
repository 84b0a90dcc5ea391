#pragma once
// The engine as the program and its tools create it.
//
//   frmLumetra:      lumetra::factory::applicationFactory()
//   tests, tools:    lumetra::factory::pdfApplicationFactory("/tmp/out.pdf")
//
// Both read .pub layouts and show documents in the preview window (ActiveWindow().Visible);
// the first prints on the default CUPS printer, the second writes every PrintOut into a PDF file.

#include "EngineApplication.h"
#include "PublisherApi.h"

#include <QString>

namespace lumetra::factory {

// Opens the preview window on a document.
engine::DocumentViewOpener previewOpener();

Publisher::ApplicationFactory applicationFactory();
Publisher::ApplicationFactory pdfApplicationFactory(const QString& pdfFile);
// Any options, with the preview window when options.openView is empty.
Publisher::ApplicationFactory applicationFactory(engine::EngineOptions options);

} // namespace lumetra::factory
