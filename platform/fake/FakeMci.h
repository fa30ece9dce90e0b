#pragma once

#include "platform/Mci.h"

#include <QHash>
#include <QStringList>

#include <deque>

namespace platform {

// Records every command. Results come from the script in order (0 once it is empty); replies
// from `replies` by the exact command text.
class FakeMci : public Mci {
public:
    int32_t sendString(const QString& command, QString* returned = nullptr) override
    {
        commands << command;
        if (returned)
            *returned = replies.value(command);
        if (results.empty())
            return 0;
        const int32_t result = results.front();
        results.pop_front();
        return result;
    }
    QString errorString(int32_t error) override { return mciErrorText(error); }

    QStringList commands;
    std::deque<int32_t> results;
    QHash<QString, QString> replies;
};

} // namespace platform
