#pragma once

#include <QString>
#include <QtGlobal>

// Opens the help file at its contents, index or search page, or says it is missing.
class clsHelp {
public:
    void Contents(const QString& helpFile, quintptr ownerWindow);
    void Index(const QString& helpFile, quintptr ownerWindow);
    // Passes no owner window, whatever it is given.
    void Search(const QString& helpFile, quintptr ownerWindow);

    static const QString kMissingMessage;
};
