#include "platform/MciCommand.h"

#include "platform/Mci.h"

namespace platform {

namespace {

bool is(const QString& word, const char* keyword)
{
    return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

// Reads a position after "from"/"to" at words[i]; "start" and "end" for seeks.
int32_t readPosition(const QStringList& words, qsizetype i, bool namedAllowed, std::optional<qint64>* out)
{
    if (i >= words.size())
        return mcierr::MissingParameter;
    if (namedAllowed && is(words[i], "start")) {
        *out = 0;
        return 0;
    }
    if (namedAllowed && is(words[i], "end")) {
        *out = -1;
        return 0;
    }
    bool ok = false;
    const qint64 value = words[i].toLongLong(&ok);
    if (!ok || value < 0)
        return mcierr::BadInteger;
    *out = value;
    return 0;
}

int32_t parseOpen(const QStringList& words, MciCommand* command)
{
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString& word = words[i];
        if (is(word, "type") || is(word, "alias")) {
            if (i + 1 >= words.size())
                return mcierr::MissingParameter;
            (is(word, "type") ? command->type : command->alias) = words[++i];
        } else if (is(word, "wait")) {
            command->wait = true;
        } else if (!is(word, "notify") && !is(word, "shareable")) {
            return mcierr::UnrecognizedKeyword;
        }
    }
    command->type = command->type.toLower();
    if (command->alias.isEmpty())
        command->alias = command->device;
    return 0;
}

int32_t parsePlayOrSeek(const QStringList& words, MciCommand* command)
{
    const bool seek = command->verb == MciCommand::Verb::Seek;
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString& word = words[i];
        int32_t error = 0;
        if (is(word, "from") && !seek)
            error = readPosition(words, ++i, false, &command->from);
        else if (is(word, "to"))
            error = readPosition(words, ++i, seek, &command->to);
        else if (is(word, "wait"))
            command->wait = true;
        else if (!is(word, "notify"))
            error = mcierr::UnrecognizedKeyword;
        if (error)
            return error;
    }
    if (seek && !command->to)
        return mcierr::MissingParameter;
    return 0;
}

int32_t parseSet(const QStringList& words, MciCommand* command)
{
    if (words.size() < 4 || !is(words[2], "time") || !is(words[3], "format"))
        return words.size() < 3 ? mcierr::MissingParameter : mcierr::UnrecognizedKeyword;
    if (words.size() < 5)
        return mcierr::MissingParameter;
    if (!is(words[4], "milliseconds") && !is(words[4], "ms"))
        return mcierr::BadTimeFormat;
    command->timeFormat = QStringLiteral("milliseconds");
    for (qsizetype i = 5; i < words.size(); ++i) {
        if (is(words[i], "wait"))
            command->wait = true;
        else if (!is(words[i], "notify"))
            return mcierr::UnrecognizedKeyword;
    }
    return 0;
}

int32_t parseStatus(const QStringList& words, MciCommand* command)
{
    if (words.size() < 3)
        return mcierr::MissingParameter;
    static const char* const items[] = {"length", "position", "mode", "ready"};
    for (const char* item : items) {
        if (is(words[2], item))
            command->item = QLatin1String(item);
    }
    if (command->item.isEmpty())
        return mcierr::UnrecognizedKeyword;
    for (qsizetype i = 3; i < words.size(); ++i) {
        if (is(words[i], "wait"))
            command->wait = true;
        else if (!is(words[i], "notify"))
            return mcierr::UnrecognizedKeyword;
    }
    return 0;
}

int32_t parseFlagsOnly(const QStringList& words, MciCommand* command)
{
    for (qsizetype i = 2; i < words.size(); ++i) {
        if (is(words[i], "wait"))
            command->wait = true;
        else if (!is(words[i], "notify"))
            return mcierr::UnrecognizedKeyword;
    }
    return 0;
}

} // namespace

bool splitMciWords(const QString& text, QStringList* words)
{
    words->clear();
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (QChar c : text) {
        if (quoted) {
            if (c == QLatin1Char('"'))
                quoted = false;
            else
                word += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                *words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        *words << word;
    return !quoted;
}

int32_t parseMciCommand(const QString& text, MciCommand* command)
{
    *command = MciCommand();
    QStringList words;
    if (!splitMciWords(text, &words))
        return mcierr::NoClosingQuote;
    if (words.isEmpty())
        return mcierr::MissingCommandString;
    struct VerbName {
        const char* name;
        MciCommand::Verb verb;
    };
    static constexpr VerbName verbs[] = {
        {"open", MciCommand::Verb::Open},     {"play", MciCommand::Verb::Play},
        {"stop", MciCommand::Verb::Stop},     {"pause", MciCommand::Verb::Pause},
        {"resume", MciCommand::Verb::Resume}, {"seek", MciCommand::Verb::Seek},
        {"close", MciCommand::Verb::Close},   {"set", MciCommand::Verb::Set},
        {"status", MciCommand::Verb::Status},
    };
    bool known = false;
    for (const VerbName& v : verbs) {
        if (is(words[0], v.name)) {
            command->verb = v.verb;
            known = true;
        }
    }
    if (!known)
        return mcierr::UnrecognizedCommand;
    if (words.size() < 2 || words[1].isEmpty())
        return command->verb == MciCommand::Verb::Open ? mcierr::FilenameRequired : mcierr::MissingDeviceName;
    command->device = words[1];
    switch (command->verb) {
    case MciCommand::Verb::Open: return parseOpen(words, command);
    case MciCommand::Verb::Play:
    case MciCommand::Verb::Seek: return parsePlayOrSeek(words, command);
    case MciCommand::Verb::Set: return parseSet(words, command);
    case MciCommand::Verb::Status: return parseStatus(words, command);
    default: return parseFlagsOnly(words, command);
    }
}

} // namespace platform
