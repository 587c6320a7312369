#pragma once

#include "platform/service/Service.h"

#include <QString>

#include <functional>

namespace shell {

// The outcome of opening help; a failure carries the text to show the user.
struct HelpResult
{
    bool ok = true;
    QString message;

    explicit operator bool() const { return ok; }
};

// Opens the family help file at its contents or at a topic (a context number).
// Everything reaches help through the current service, so that tests can see which
// topic was asked for without a browser.
class HelpService
{
public:
    // Told when help fails after the call returned (the browser's opener found no browser):
    // the text to show the user.
    using LateFailure = std::function<void(const QString& message)>;

    virtual ~HelpService() = default;
    virtual HelpResult showContents(const LateFailure& late = {}) = 0;
    virtual HelpResult showTopic(int topic, const LateFailure& late = {}) = 0;
};

// Help; by default a HelpEngine over the help file in the program folder.
extern service::Service<HelpService> helpService;

} // namespace shell
