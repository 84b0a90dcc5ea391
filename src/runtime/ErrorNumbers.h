#pragma once
// The one table of error numbers. They follow the classic runtime where one fits, so a number
// passes unchanged from the layout reader through the engine to the composition, which tells
// some of them apart (70, and -2130771955 for a layout open elsewhere).

#include <cstdint>

namespace lumetra::runtime {

inline constexpr std::int32_t ErrArgomentoNonValido = 5; // a value out of range
inline constexpr std::int32_t ErrMemoriaInsufficiente = 7;
inline constexpr std::int32_t ErrIndiceNonValido = 9;     // Item(n) outside the collection
inline constexpr std::int32_t ErrTipoNonValido = 13;      // a text that is no number or measurement
inline constexpr std::int32_t ErrFileNonTrovato = 53;     // no such file
inline constexpr std::int32_t ErrPermessoNegato = 70;     // access refused
inline constexpr std::int32_t ErrPercorsoNonValido = 75;  // a folder or something else, no file
inline constexpr std::int32_t ErrOggettoNonValido = 91;   // no active document, object deleted
inline constexpr std::int32_t ErrLayoutNonValido = 321;   // not a layout, damaged, unsupported
inline constexpr std::int32_t ErrImmagineNonValida = 481; // not a picture, damaged, too large
inline constexpr std::int32_t ErrStampante = 482;         // no printer, job refused or failed
inline constexpr std::int32_t ErrUltimaPagina = 1004;     // deleting the only page left
inline constexpr std::int32_t ErrScritturaFile = 1005;    // an output file cannot be written
inline constexpr std::int32_t ErrListinoNonValido = 1006; // a price list bad, damaged, too large
inline constexpr std::int32_t ErrLavoroNonValido = 1007;  // a saved job that cannot be read
inline constexpr std::int32_t ErrLayoutGiaAperto = -2130771955;    // 0x80FF000D
inline constexpr std::int32_t ErrApplicazioneChiusa = -2147417848; // 0x80010108: after Quit

} // namespace lumetra::runtime
