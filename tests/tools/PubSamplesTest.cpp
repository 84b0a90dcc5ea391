// Real Publisher files (98 to 2010, and the older 3.0 and 97 ones kept in a folder of their own)
// drawn by lumetra-pubinfo --pdf, as a user sees a layout without Publisher: the pages Publisher
// shows, each with something on it, and the author's words in the PDF's text. LibreOffice Draw,
// which reads the same files on its own, referees the page counts and the words.

#include "LetturaPdf.h"
#include "TestProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

using lumetra::composition::test::PaginaDelPdf;
using lumetra::composition::test::PagineDelPdf;
using lumetra::composition::test::TestiDelPdf;

struct Sample {
    const char* file;
    bool older;        // in the folder of Publisher 3.0 and 97 files
    int pages;         // as Publisher shows the document; 0: refused, having no shape at all
    const char* words; // words of the layout's text, each on some page of the PDF
    // Pages that print blank: their only shapes are tables of 3.0/97 files, which libmspub does
    // not draw (LibreOffice shows them blank too).
    std::initializer_list<int> blank = {};
};

// LibreOffice adds a page of its own to 98, 2000, 3.0 and 97 files (the blank page of
// prototype shapes, which is no page of the document) and 2002+ files' special page-list
// entries: the pages it draws something on are ours.
const Sample Samples[] = {
    {"10.0_metadata.pub", false, 0, ""},
    {"10.0_tables.pub", false, 1, "aaaaaa bbbb"},
    {"11.0_table-merged.pub", false, 1, "a m x"},
    {"11.0_tables.pub", false, 1, "aaaaaa bbbb"},
    {"12.0_REG-TST2-pub97-to-pub2007-with-pub2007.pub", false, 4, "Sample test"},
    {"12.0_REG-TXT1-pub97-to-pub2007-with-pub2007.pub", false, 1, "Lorem Fusce volutpat elit"},
    {"12.0_fonts.pub", false, 1, "hovercraft full eels"},
    {"14.0_REG-TST2-pub2010.pub", false, 4, "Sample test"},
    {"14.0_REG-TXT1-pub2010.pub", false, 1, "Lorem Fusce volutpat elit"},
    {"14.0_metadata.pub", false, 0, ""},
    {"8.5_essai98.pub", false, 2, "Normal rockwell gothics"},
    {"8.5_pub98.t2.pub", false, 4, "NEWSLETTER Volume Issue"},
    {"8.5_pub98t1.pub", false, 2, "business line here"},
    {"8.5_wizard98.pub", false, 4, "osnola Volume Newsletter"},
    {"9.0_langs.pub", false, 1, "English Czech Esperanto Serbian"},
    {"9.0_text-format.pub", false, 1, "Format Normal bold italic"},
    {"9.0_text-style.pub", false, 1, "Bold style Suppressed"},
    {"3.0_essai3A.PUB", true, 4, "texte green style", {3}},
    {"3.0_essaiv3.PUB", true, 4, "small squeeze loose"},
    {"3.0_tablev3.PUB", true, 2, "", {1, 2}},
    {"3.0_testv3.PUB", true, 1, "tight loose fancy1 bullet"},
    {"8.0_essai97.pub", true, 5, "texte green style", {3}},
    {"8.0_test97.pub", true, 4, "qsd sd"},
    {"8.0_wizard97.pub", true, 3, "June Address Check"},
};

QString samplePath(const Sample& sample) {
    const QDir folder(qEnvironmentVariable("LUMETRA_PUB_SAMPLES"));
    return sample.older ? folder.filePath(QStringLiteral("../pub-samples-older/") + sample.file)
                        : folder.filePath(QString::fromUtf8(sample.file));
}

std::string rowName(const testing::TestParamInfo<Sample>& info) {
    std::string name = info.param.file;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

// The words of a PDF's pages, without the punctuation around them.
QStringList wordsOf(const QString& pdf, int pages) {
    QStringList words;
    for (int page = 1; page <= pages; ++page) {
        for (const QString& text : TestiDelPdf(pdf, page)) {
            words.append(
                text.split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts));
        }
    }
    return words;
}

// The pages (from 1) with something on them: some dark ink at 20 dpi.
std::vector<int> inkedPages(const QString& pdf) {
    std::vector<int> inked;
    const int pages = PagineDelPdf(pdf);
    for (int page = 1; page <= pages; ++page) {
        const QImage grey = PaginaDelPdf(pdf, page, 20).convertToFormat(QImage::Format_Grayscale8);
        bool ink = false;
        for (int y = 0; y < grey.height() && !ink; ++y) {
            const uchar* line = grey.constScanLine(y);
            ink = std::any_of(line, line + grey.width(), [](uchar v) { return v < 200; });
        }
        if (ink) {
            inked.push_back(page);
        }
    }
    return inked;
}

// The samples as LibreOffice Draw reads them, converted once for the whole table: the folder
// of the PDFs, empty when LibreOffice is not installed.
class Referee {
public:
    static const QTemporaryDir* pdfs() {
        static const std::unique_ptr<QTemporaryDir> converted = convertAll();
        return converted.get();
    }

private:
    static std::unique_ptr<QTemporaryDir> convertAll() {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) {
            return nullptr;
        }
        auto dir = std::make_unique<QTemporaryDir>();
        // A profile of its own: a LibreOffice running elsewhere is neither used nor disturbed.
        QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                                  QUrl::fromLocalFile(dir->filePath("profilo")).toString(),
                              QStringLiteral("--headless"),
                              QStringLiteral("--convert-to"),
                              QStringLiteral("pdf"),
                              QStringLiteral("--outdir"),
                              dir->path()};
        for (const Sample& sample : Samples) {
            arguments.append(samplePath(sample));
        }
        lumetra::testsupport::startProgram(soffice, arguments);
        return dir;
    }
};

class PubSample : public testing::TestWithParam<Sample> {};

TEST_P(PubSample, ShowsPublishersPagesWithTheirContentAndTheAuthorsWords) {
    const Sample& sample = GetParam();
    const QString path = samplePath(sample);
    if (!QFileInfo::exists(path)) {
        GTEST_SKIP() << "the real Publisher files are not available (" << sample.file << ")";
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("layout.pdf"));
    const auto run = lumetra::testsupport::startProgram(qEnvironmentVariable("LUMETRA_PUBINFO"),
                                                        {path, QStringLiteral("--pdf"), pdf});
    if (sample.pages == 0) {
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.errors.contains(QStringLiteral("non contiene forme")))
            << run.errors.toStdString();
        return;
    }
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    ASSERT_EQ(PagineDelPdf(pdf), sample.pages);
    const std::vector<int> inked = inkedPages(pdf);
    std::vector<int> expectedInk;
    for (int page = 1; page <= sample.pages; ++page) {
        if (std::find(sample.blank.begin(), sample.blank.end(), page) == sample.blank.end()) {
            expectedInk.push_back(page);
        }
    }
    EXPECT_EQ(inked, expectedInk) << "the pages with something on them";
    const QStringList words = wordsOf(pdf, sample.pages);
    const QStringList expected = QString::fromUtf8(sample.words).split(u' ', Qt::SkipEmptyParts);
    for (const QString& word : expected) {
        EXPECT_TRUE(words.contains(word)) << word.toStdString();
    }

    const QTemporaryDir* referee = Referee::pdfs();
    if (!referee) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: no independent reader referees "
                        "the pages";
    }
    const QString theirs =
        referee->filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".pdf"));
    ASSERT_TRUE(QFileInfo::exists(theirs)) << "LibreOffice did not convert " << sample.file;
    EXPECT_EQ(inkedPages(theirs).size(), expectedInk.size()) << "LibreOffice's pages with ink";
    const QStringList refereeWords = wordsOf(theirs, PagineDelPdf(theirs));
    for (const QString& word : expected) {
        EXPECT_TRUE(refereeWords.contains(word)) << "LibreOffice lacks " << word.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PubSample, testing::ValuesIn(Samples), rowName);

} // namespace
