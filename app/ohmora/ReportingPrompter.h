#pragma once
// The prompts of a run that has nobody to answer (ohmora --screenshot):
// real dialogs would wait for a click that never comes, so each message
// goes to standard error with its title, is answered as if dismissed, and
// marks the run as failed when it tells of an error.

#include "dialogs/QtPrompter.h"

#include <cstdio>

namespace ohmora::app {

class ReportingPrompter : public QtPrompter {
public:
    MessageAnswer message(const Message& message) override {
        std::fprintf(stderr, "ohmora\u00A0: %s\u00A0: %s\n",
                     message.title.toLocal8Bit().constData(),
                     message.text.toLocal8Bit().constData());
        failed_ = failed_ || message.icon == MessageIcon::Stop;
        return cancellingAnswer(message.buttons);
    }
    bool failed() const { return failed_; }

private:
    bool failed_ = false;
};

} // namespace ohmora::app
