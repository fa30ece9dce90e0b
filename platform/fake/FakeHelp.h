#pragma once

#include "platform/Help.h"

#include <utility>
#include <vector>

namespace platform {

class FakeHelp : public Help {
public:
    bool showHelp(const QString& helpFile, int command, QString* whyNot = nullptr) override
    {
        calls.emplace_back(helpFile, command);
        if (!succeed && whyNot)
            *whyNot = QStringLiteral("cannot open");
        return succeed;
    }

    bool succeed = true;
    std::vector<std::pair<QString, int>> calls;
};

} // namespace platform
