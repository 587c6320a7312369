#pragma once

#include "platform/shell/HelpService.h"

#include <QUrl>

#include <optional>

namespace shell {

// The family help: a topic map file ("Tessaline.hlp") that names, for the contents and
// for each context number, an HTML page beside it, shown in the desktop's browser.
//
// Topic map, one entry a line ("#" starts a comment):
//   contents  help/index.html           Contents
//   61        help/scanning.html#topic  Problems scanning cards
// The page is relative to the map's folder and may carry an anchor; the title is free text.
class HelpEngine : public HelpService
{
public:
    // `helpFile` empty: "Tessaline.hlp" in the program folder.
    explicit HelpEngine(QString helpFile = QString());

    static QString defaultHelpFile();
    QString helpFile() const;

    HelpResult showContents(const LateFailure& late = {}) override;
    HelpResult showTopic(int topic, const LateFailure& late = {}) override;

    // The page address of the contents (no topic) or of a topic; on failure `message`
    // says why and the address is empty.
    QUrl pageOf(std::optional<int> topic, QString& message) const;

private:
    HelpResult open(std::optional<int> topic, const LateFailure& late);

    QString m_helpFile;
};

} // namespace shell
