// The article code of a file name, and the path of a queued file.
#include "CodiceArticolo.h"
#include "PercorsoFile.h"
#include "StampaQt.h"

#include <gtest/gtest.h>

namespace lumetra::composition {
namespace {

// Each row: a folder, a name queued from it, its path (one separator, a picked root folder
// staying usable, the name joined as it stands) and its article code (the name without its
// last extension).
TEST(CodiceArticolo, PercorsoECodiceDelNome) {
    const char* const righe[][4] = {
        {"/foto", "ABC123.jpg", "/foto/ABC123.jpg", "ABC123"},
        {"/", "A.B.jpg", "/A.B.jpg", "A.B"},
        {"/foto/", "SENZAPUNTO", "/foto/SENZAPUNTO", "SENZAPUNTO"},
        {"/foto", ".jpg", "/foto/.jpg", ""},
        {"/foto", " finale.", "/foto/ finale.", " finale"},
        {"/foto", "Über 10 cm.JPEG", "/foto/Über 10 cm.JPEG", "Über 10 cm"},
    };
    for (const auto& [cartella, nome, percorso, codice] : righe) {
        EXPECT_EQ(PercorsoFile(QString::fromUtf8(cartella), QString::fromUtf8(nome)),
                  QString::fromUtf8(percorso));
        EXPECT_EQ(CodiceArticolo(QString::fromUtf8(nome)), QString::fromUtf8(codice));
    }
}

} // namespace
} // namespace lumetra::composition
