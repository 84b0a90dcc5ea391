#pragma once
// The Italian texts of Qt's own widgets that Qt's Italian translation lacks (texts added or
// moved to other classes since it was made): the file type "Folder" in the file dialogs, the
// two-sided printing options of the print dialog.

#include <QTranslator>

namespace lumetra::platform {

class QtTranslationGaps : public QTranslator {
    Q_OBJECT
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

} // namespace lumetra::platform
