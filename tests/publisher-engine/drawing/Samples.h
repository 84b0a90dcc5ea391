#pragma once
// Where the real Publisher files for the tests are (LUMETRA_PUB_SAMPLES).

#include <QDir>
#include <QString>
#include <QStringList>

namespace lumetra::drawing::test {

// The samples folder, or an empty string when it is not available.
inline QString samplesFolder() {
    const QString dir = qEnvironmentVariable("LUMETRA_PUB_SAMPLES");
    return !dir.isEmpty() && QDir(dir).exists() ? dir : QString();
}

inline QString sample(const QString& name) {
    return QDir(samplesFolder()).filePath(name);
}

} // namespace lumetra::drawing::test

#define LUMETRA_REQUIRE_SAMPLES()                                                                  \
    do {                                                                                           \
        if (lumetra::drawing::test::samplesFolder().isEmpty())                                     \
            GTEST_SKIP() << "LUMETRA_PUB_SAMPLES not set or missing: real Publisher files "        \
                            "not available";                                                       \
    } while (false)
