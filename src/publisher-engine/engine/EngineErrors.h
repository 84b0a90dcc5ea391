#pragma once
// Error numbers of the built-in engine and the one way it fails: Publisher::Error, with an
// Italian description.
//
// Numbers follow the classic runtime where one fits (53 file not found, 70 access refused,
// 481 invalid picture, 482 printer error), so callers and messages can tell them apart.

#include "PublisherApi.h"

#include <QString>

#include <cstdint>

namespace lumetra::engine {

inline constexpr std::int32_t ErrArgomentoNonValido = 5; // a value out of range
inline constexpr std::int32_t ErrIndiceNonValido = 9;    // Item(n) outside the collection
inline constexpr std::int32_t ErrTipoNonValido = 13;     // a measurement text that is none
inline constexpr std::int32_t ErrFileNonTrovato = 53;    // picture or layout missing
inline constexpr std::int32_t ErrPermessoNegato = Publisher::ErrPermessoNegato; // 70
inline constexpr std::int32_t ErrPercorsoNonValido = 75;  // a folder or no regular file
inline constexpr std::int32_t ErrOggettoNonValido = 91;   // no active document, object deleted
inline constexpr std::int32_t ErrLayoutNonValido = 321;   // damaged or unsupported layout
inline constexpr std::int32_t ErrImmagineNonValida = 481; // not a picture, damaged, too large
inline constexpr std::int32_t ErrStampante = 482;         // no printer, job refused or failed
inline constexpr std::int32_t ErrUltimaPagina = 1004;     // deleting the only page left
inline constexpr std::int32_t ErrScritturaPdf = 1005;     // the PDF file cannot be written
inline constexpr std::int32_t ErrApplicazioneChiusa = -2147417848; // 0x80010108: after Quit

[[noreturn]] void fail(std::int32_t number, const QString& description);

} // namespace lumetra::engine
