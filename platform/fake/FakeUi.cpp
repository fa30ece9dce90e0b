#include "platform/fake/FakeUi.h"

namespace platform {

int defaultAnswer(int buttons)
{
    using namespace vbmsg;
    struct Set {
        int first, second, third;
    };
    static constexpr Set sets[] = {
        {vbOK, vbOK, vbOK},          {vbOK, vbCancel, vbCancel}, {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel},     {vbYes, vbNo, vbNo},        {vbRetry, vbCancel, vbCancel},
    };
    const int set = buttons & 7;
    if (set > 5)
        return vbOK;
    const Set& answers = sets[set];
    if (buttons & vbDefaultButton3)
        return answers.third;
    if (buttons & vbDefaultButton2)
        return answers.second;
    return answers.first;
}

int FakeUi::msgBox(const QString& prompt, int buttons, const QString& title)
{
    msgBoxes.push_back({prompt, buttons, title});
    if (whileMsgBoxShown)
        whileMsgBoxShown(prompt);
    if (msgBoxAnswers.empty())
        return defaultAnswer(buttons);
    const int answer = msgBoxAnswers.front();
    msgBoxAnswers.pop_front();
    return answer;
}

QString FakeUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    inputBoxes.push_back({prompt, title, defaultText});
    if (inputBoxAnswers.empty())
        return defaultText;
    QString answer = inputBoxAnswers.front();
    inputBoxAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeUi::openFileDialog(const OpenFileRequest& request)
{
    openFileDialogs.push_back(request);
    if (openFileAnswers.empty())
        return std::nullopt;
    const bool chosen = openFileAnswers.front().has_value();
    const QString answer = openFileAnswers.front().value_or(QString());
    openFileAnswers.pop_front();
    return chosen ? std::optional<QString>(answer) : std::nullopt;
}

void FakeUi::setMousePointer(int value)
{
    pointer = value;
    pointerHistory.push_back(value);
}

QStringList FakeUi::prompts() const
{
    QStringList texts;
    for (const MsgBoxCall& call : msgBoxes)
        texts << call.prompt;
    return texts;
}

} // namespace platform
