#pragma once

#include "platform/Ui.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace platform {

// Records every call and answers from a script. With the script empty, a message box answers
// its default button and an input box its default text.
class FakeUi : public Ui {
public:
    struct MsgBoxCall {
        QString prompt;
        int buttons;
        QString title;
    };
    struct InputBoxCall {
        QString prompt;
        QString title;
        QString defaultText;
    };

    int msgBox(const QString& prompt, int buttons = vbmsg::vbOKOnly, const QString& title = {}) override;
    QString inputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) override;
    // Answers from openFileAnswers (nullopt = cancel); with the script empty, cancels.
    std::optional<QString> openFileDialog(const OpenFileRequest& request) override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer; }

    // The prompts of every message box so far, in order.
    QStringList prompts() const;

    std::deque<int> msgBoxAnswers;
    std::deque<QString> inputBoxAnswers;
    std::vector<MsgBoxCall> msgBoxes;
    std::vector<InputBoxCall> inputBoxes;
    std::deque<std::optional<QString>> openFileAnswers;
    std::vector<OpenFileRequest> openFileDialogs;
    std::vector<int> pointerHistory; // every value set, in order
    // Called with each message box's prompt while the box is "up".
    std::function<void(const QString&)> whileMsgBoxShown;
    int pointer = vbcursor::vbDefault;
};

// The answer of a message box whose default button is taken.
int defaultAnswer(int buttons);

} // namespace platform
