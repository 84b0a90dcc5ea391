// The article code of a file name, and the path of a queued file.
#include "CodiceArticolo.h"
#include "PercorsoFile.h"
#include "StampaQt.h"

#include <gtest/gtest.h>

namespace lumetra::composition {
namespace {

TEST(CodiceArticolo, NomeSenzaUltimaEstensione) {
    EXPECT_EQ(CodiceArticolo(QStringLiteral("ABC123.jpg")), QStringLiteral("ABC123"));
    EXPECT_EQ(CodiceArticolo(QStringLiteral("A.B.jpg")), QStringLiteral("A.B"));
    EXPECT_EQ(CodiceArticolo(QStringLiteral("SENZAPUNTO")), QStringLiteral("SENZAPUNTO"));
    EXPECT_EQ(CodiceArticolo(QStringLiteral(".jpg")), QString());
    EXPECT_EQ(CodiceArticolo(QStringLiteral("finale.")), QStringLiteral("finale"));
    EXPECT_EQ(CodiceArticolo(QStringLiteral("Über 10 cm.JPEG")), QStringLiteral("Über 10 cm"));
}

TEST(PercorsoFile, UnSoloSeparatore) {
    EXPECT_EQ(PercorsoFile(QStringLiteral("/foto"), QStringLiteral("a.jpg")),
              QStringLiteral("/foto/a.jpg"));
    // A picked root folder stays usable.
    EXPECT_EQ(PercorsoFile(QStringLiteral("/"), QStringLiteral("a.jpg")), QStringLiteral("/a.jpg"));
    EXPECT_EQ(PercorsoFile(QStringLiteral("/foto/"), QStringLiteral("a.jpg")),
              QStringLiteral("/foto/a.jpg"));
    // Names are joined as they stand.
    EXPECT_EQ(PercorsoFile(QStringLiteral("/foto"), QStringLiteral(" b .png")),
              QStringLiteral("/foto/ b .png"));
}

} // namespace
} // namespace lumetra::composition
