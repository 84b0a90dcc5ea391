// The stream wrapper libmspub reads through: metadata streams hidden. Its patches are applied
// wherever shapes are hidden: the reader's and the drawing's tests of hidden shapes.

#include "PatchedInputStream.h"
#include "Samples.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>
#include <set>
#include <string>

namespace lumetra::drawing {

using namespace lumetra::pub;

namespace {

std::unique_ptr<librevenge::RVNGFileStream> sampleStream(const QString& name) {
    return std::make_unique<librevenge::RVNGFileStream>(
        QFile::encodeName(test::sample(name)).constData());
}

std::set<std::string> names(librevenge::RVNGInputStream& s) {
    std::set<std::string> out;
    for (unsigned i = 0; i < s.subStreamCount(); ++i)
        if (const char* n = s.subStreamName(i))
            out.insert(n);
    return out;
}

TEST(PatchedInputStream, HidesTheDocumentInformationStreams) {
    LUMETRA_REQUIRE_SAMPLES();
    const auto plain = sampleStream("10.0_metadata.pub");
    const std::set<std::string> all = names(*plain);
    ASSERT_TRUE(plain->existsSubStream("SummaryInformation"));
    std::unique_ptr<librevenge::RVNGInputStream> info(
        plain->getSubStreamByName("\x05SummaryInformation"));
    ASSERT_TRUE(info);

    PatchedInputStream wrapped(sampleStream("10.0_metadata.pub"), {});
    ASSERT_TRUE(wrapped.isStructured());
    const std::set<std::string> visible = names(wrapped);
    EXPECT_EQ(visible.size() + 2, all.size());
    for (const std::string& n : visible)
        EXPECT_FALSE(PatchedInputStream::isHiddenStream(n)) << n;
    EXPECT_FALSE(wrapped.existsSubStream("SummaryInformation"));
    EXPECT_EQ(wrapped.getSubStreamByName("DocumentSummaryInformation"), nullptr);
    EXPECT_EQ(wrapped.getSubStreamByName("\x05SummaryInformation"), nullptr);
    EXPECT_EQ(wrapped.getSubStreamByName("\x05"
                                         "DocumentSummaryInformation"),
              nullptr);
    EXPECT_TRUE(wrapped.existsSubStream("Contents"));
    // Every visible stream can be opened by its id and holds what the file holds.
    for (unsigned i = 0; i < wrapped.subStreamCount(); ++i) {
        std::unique_ptr<librevenge::RVNGInputStream> sub(wrapped.getSubStreamById(i));
        if (sub) {
            EXPECT_EQ(readWholeStream(wrapped, wrapped.subStreamName(i)),
                      readWholeStream(*plain, wrapped.subStreamName(i)));
        }
    }
}

} // namespace
} // namespace lumetra::drawing
